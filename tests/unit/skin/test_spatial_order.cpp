// Reading order of a window's controls, the arrows' neighbours on a board, and
// the colour entries of the skin files.
#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <string>

#include "skin/SkinColour.h"
#include "skin/SpatialOrder.h"

using namespace zavo;

namespace {

SkinRect R(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// A small board: a row of three, a row of two shifted right, a tall key at the
// right spanning both, and an empty place.
//   [0][1][2]  [5]
//     [3] [4]  [5]
const std::vector<SkinRect> kBoard = {R(0, 0, 10, 10),  R(12, 0, 10, 10), R(24, 0, 10, 10), R(5, 12, 10, 10),
                                      R(20, 12, 10, 10), R(40, 0, 10, 22), SkinRect{}};

}  // namespace

TEST(ReadingOrder, RowsTopToBottomEachLeftToRight) {
    struct Case {
        const char* what;
        std::vector<SkinRect> places;
        std::vector<int> order;
    } cases[] = {
        {"created out of order", {R(50, 0, 10, 10), R(0, 40, 10, 10), R(0, 0, 10, 10)}, {2, 0, 1}},
        {"a taller neighbour and a slightly lower one stay in the row",
         {R(30, 2, 10, 8), R(0, 0, 20, 20), R(60, 5, 10, 10), R(0, 30, 10, 10)},
         {1, 0, 2, 3}},
        {"empty places last", {SkinRect{}, R(0, 0, 5, 5)}, {1, 0}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.order, ReadingOrder(c.places));
    }
}

TEST(Neighbour, ArrowsMoveAsKeysLieOnTheBoard) {
    struct Case {
        int from;
        Direction dir;
        int to;
    } cases[] = {
        {0, Direction::Right, 1},  {1, Direction::Left, 0},     {2, Direction::Right, 5}, {4, Direction::Right, 5},
        {0, Direction::Left, 0},   {0, Direction::Down, 3},     {2, Direction::Down, 4},  {3, Direction::Up, 0},
        {4, Direction::Up, 2},     {0, Direction::Up, 0},       {3, Direction::Down, 3},  {1, Direction::RowStart, 0},
        {0, Direction::RowEnd, 5}, {4, Direction::RowStart, 3}, {5, Direction::Left, 2},  {6, Direction::Left, 6},
        {9, Direction::Left, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << " direction " << static_cast<int>(c.dir));
        EXPECT_EQ(c.to, Neighbour(kBoard, c.from, c.dir));
    }
}

TEST(SkinColour, ThreeNumbersInRange) {
    struct Case {
        const wchar_t* text;
        std::optional<std::uint32_t> colour;
    } cases[] = {
        {L"0,196,255", 0xFFC400u}, {L" 1 , 2 ,3 ", 0x030201u}, {L"256,0,0", std::nullopt},
        {L"1,2", std::nullopt},    {L"1,2,3,4", std::nullopt}, {L"", std::nullopt},
        {L"a,b,c", std::nullopt},  {L"00001,2,3", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << std::string(c.text, c.text + wcslen(c.text)) << "'");
        EXPECT_EQ(c.colour, ParseSkinColour(c.text));
    }
}
