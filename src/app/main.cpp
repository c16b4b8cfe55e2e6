#include "app/run_game.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  return qz::RunApplication(argc, argv, qz::RunGame);
}
