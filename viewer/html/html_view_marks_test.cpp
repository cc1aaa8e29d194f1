#include "viewer/html/html_view_marks.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Positions = std::vector<std::size_t>;

TEST(OccurrenceMarks, MarksTheOccurrencesInTheRangeTheCurrentOneApart) {
  const Positions at{2, 10, 20, 30};
  const std::vector<TextMark> marks = OccurrenceMarks(at, 4, 2, TextRange{9, 31});
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0].begin, 10u);
  EXPECT_EQ(marks[0].end, 14u);
  EXPECT_EQ(marks[0].background, kOccurrenceBackground);
  EXPECT_EQ(marks[1].begin, 20u);
  EXPECT_EQ(marks[1].background, kCurrentOccurrenceBackground);
  // An occurrence the range cuts keeps only its part inside.
  EXPECT_EQ(marks[2].begin, 30u);
  EXPECT_EQ(marks[2].end, 31u);
  EXPECT_EQ(OccurrenceMarks(at, 4, -1, TextRange{3, 4}).size(), 1u);
  EXPECT_TRUE(OccurrenceMarks(at, 4, 0, TextRange{6, 10}).empty());
  EXPECT_TRUE(OccurrenceMarks({}, 4, -1, TextRange{0, 100}).empty());
}

TEST(StepOccurrence, MovesFromTheCurrentOneOrFromWhatIsInSight) {
  const Positions at{5, 50, 60, 90};
  const struct {
    int current;
    std::size_t top, bottom;
    bool backwards;
    int want;
  } cases[] = {
      {1, 0, 0, false, 2},     {1, 0, 0, true, 0},     {3, 0, 0, false, -1},
      {0, 0, 0, true, -1},     {-1, 40, 70, false, 1},  // the first in sight
      {-1, 40, 70, true, 2},                            // the last in sight
      {-1, 61, 80, false, 3},                           // none in sight: the next below
      {-1, 61, 80, true, 2},                            // or the next above
      {-1, 91, 99, false, -1}, {-1, 0, 5, true, -1},   {-1, 50, 51, false, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StepOccurrence(at, c.current, c.top, c.bottom, c.backwards), c.want)
        << c.current << " " << c.top << " " << c.bottom << " " << c.backwards;
  }
  EXPECT_EQ(StepOccurrence({}, -1, 0, 100, false), -1);
}

}  // namespace
}  // namespace corvane
