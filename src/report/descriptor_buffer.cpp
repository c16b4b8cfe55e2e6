// The buffer of staged_file.h, shared by the report's outputs on every system.
#include "report/staged_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>

namespace qz {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

DescriptorBuffer::DescriptorBuffer() : m_vBuffer(kBufferBytes) {
  setp(m_vBuffer.data(), m_vBuffer.data() + m_vBuffer.size());
}

bool DescriptorBuffer::Flush() {
  const char* data = pbase();
  std::size_t size = static_cast<std::size_t>(pptr() - pbase());
  setp(m_vBuffer.data(), m_vBuffer.data() + m_vBuffer.size());
  // After a failed write the rest is dropped: the output is lost either way.
  if (m_nError != 0)
    return false;
  while (size > 0) {
    const ssize_t n = ::write(m_nFd, data, size);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      m_nError = errno;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
  if (!Flush())
    return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

}  // namespace qz
