#include "platform/rng.h"

namespace qz {

int Rng::Next() {
  // Unsigned arithmetic: the wrap-around modulo 2^32 is the formula itself.
  m_nState = m_nState * 214013u + 2531011u;
  return static_cast<int>((m_nState >> 16) & 0x7FFFu);
}

}  // namespace qz
