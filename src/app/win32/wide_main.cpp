// The program's entry on Windows: the command line arrives in UTF-16 and goes on in UTF-8 to
// the game's main (QzMain, the name main.cpp's main takes in the Windows build).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/win32_text.h"

int QzMain(int argc, char** argv);

namespace {

// A program without a console window (the game) still answers --version and --help in the
// console it was started from, when there is one and its output is not redirected.
void UseParentConsole() {
  if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr && GetStdHandle(STD_ERROR_HANDLE) != nullptr)
    return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS))
    return;
  if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr)
    std::freopen("CONOUT$", "w", stdout);
  if (GetStdHandle(STD_ERROR_HANDLE) == nullptr)
    std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  UseParentConsole();
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i)
    args.push_back(qz::Utf8Text(argv[i]));
  std::vector<char*> pointers;
  for (std::string& arg : args)
    pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  return QzMain(argc, pointers.data());
}
