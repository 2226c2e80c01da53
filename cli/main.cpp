// tarnwick-cli: the headless twin of the window.
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "tarnwick-cli " << TARNWICK_VERSION << "\n";
    return 0;
  }
  std::cerr << "usage: tarnwick-cli --help\n";
  return 64;
}
