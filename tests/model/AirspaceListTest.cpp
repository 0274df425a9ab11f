// The model's storage: borders as records with their lines, and the list
// that keeps the airspaces compactly.
#include <gtest/gtest.h>

#include <string>

#include "model/Airspace.h"
#include "model/AirspaceDraft.h"
#include "model/AirspaceList.h"
#include "model/Border.h"

namespace {

// Records stay valid as the list grows over several text and point chunks,
// their texts and borders copied in, or moved in from a quarter chunk on.
TEST(AirspaceListTest, RecordsStayValidAcrossChunks) {
  constexpr int Count = 4000;
  const auto nameOf = [](int i) { return "Area " + std::to_string(i) + std::string(i % 1000 == 7 ? 16384 : 30, 'x'); };
  const auto pointsOf = [](int i) -> std::size_t { return i % 1000 == 3 ? 16383 + i / 1000 % 2 : i % 50 + 1; };
  TAirspaceList list;
  for (int i = 0; i < Count; ++i) {
    TAirspaceDraft airspace;
    airspace.Class = std::to_string(i);
    for (std::size_t k = 0; k < pointsOf(i); ++k)
      airspace.Border.AddPoint({static_cast<double>(i % 90), static_cast<double>(k % 180)}, k + 1);
    airspace.Name.Append(nameOf(i));
    list.Add(airspace);
  }
  ASSERT_EQ(list.size(), static_cast<std::size_t>(Count));
  for (int i = 0; i < Count; ++i) {
    const TAirspace& record = list[static_cast<std::size_t>(i)];
    ASSERT_EQ(record.AirspaceClass, std::to_string(i));
    ASSERT_EQ(record.Name, nameOf(i));
    ASSERT_EQ(record.Border.Points.size(), pointsOf(i)) << i;
    EXPECT_EQ(record.Border.Points.front().Latitude, i % 90);
    EXPECT_EQ(record.Border.Points.back().Longitude, static_cast<double>((pointsOf(i) - 1) % 180));
  }
}

}  // namespace
