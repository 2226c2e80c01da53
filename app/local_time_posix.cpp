#include "app/start_stamp.h"

namespace tarnwick {

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

}  // namespace tarnwick
