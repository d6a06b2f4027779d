#include "records/screen_row.h"

namespace balancer {

const ScreenRow* FindRow(const std::vector<ScreenRow>& rows, int id) {
  for (const ScreenRow& row : rows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

}  // namespace balancer
