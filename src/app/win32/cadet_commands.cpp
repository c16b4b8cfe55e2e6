// The cadet commands of the command line on Windows, where there is one cadet per account.
#include <cstdio>

#include "app/cadet_start.h"
#include "app/win32/one_cadet.h"

namespace qz {

int RemoveCadetCommand(const std::string& app_name, const std::string& /*name*/, std::FILE* /*in*/,
                       std::FILE* /*out*/, std::FILE* err) {
  std::fprintf(err, "%s: %s\n", app_name.c_str(), kOneCadetPerAccount);
  return 2;
}

}  // namespace qz
