#include "app/run_main_window.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  return qz::RunApplication(argc, argv, qz::RunMainWindow);
}
