#include "skin/SpatialOrder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace zavo {

namespace {

bool Empty(const SkinRect& r) { return r.right <= r.left || r.bottom <= r.top; }
// Centres doubled, so they stay whole numbers.
std::int64_t CentreX2(const SkinRect& r) { return std::int64_t{r.left} + r.right; }
std::int64_t CentreY2(const SkinRect& r) { return std::int64_t{r.top} + r.bottom; }
bool SameRow(const SkinRect& a, const SkinRect& b) { return a.top < b.bottom && b.top < a.bottom; }

}  // namespace

std::vector<int> ReadingOrder(const std::vector<SkinRect>& places) {
    std::vector<int> byTop;
    std::vector<int> empty;
    for (int i = 0; i < static_cast<int>(places.size()); ++i) (Empty(places[i]) ? empty : byTop).push_back(i);
    std::stable_sort(byTop.begin(), byTop.end(), [&](int a, int b) { return places[a].top < places[b].top; });
    std::vector<int> order;
    std::vector<bool> placed(places.size(), false);
    for (int head : byTop) {
        if (placed[head]) continue;
        const SkinRect& band = places[head];
        std::vector<int> row;
        for (int i : byTop) {
            const std::int64_t cy2 = CentreY2(places[i]);
            if (!placed[i] && cy2 >= 2 * std::int64_t{band.top} && cy2 < 2 * std::int64_t{band.bottom}) {
                placed[i] = true;
                row.push_back(i);
            }
        }
        std::stable_sort(row.begin(), row.end(), [&](int a, int b) { return places[a].left < places[b].left; });
        order.insert(order.end(), row.begin(), row.end());
    }
    order.insert(order.end(), empty.begin(), empty.end());
    return order;
}

int Neighbour(const std::vector<SkinRect>& places, int from, Direction dir) {
    if (from < 0 || from >= static_cast<int>(places.size())) return -1;
    const SkinRect& at = places[from];
    int best = from;
    std::int64_t bestCost = 0;
    for (int i = 0; i < static_cast<int>(places.size()); ++i) {
        const SkinRect& p = places[i];
        if (i == from || Empty(p)) continue;
        const std::int64_t dx = CentreX2(p) - CentreX2(at), dy = CentreY2(p) - CentreY2(at);
        const bool row = SameRow(at, p);
        std::int64_t cost;
        switch (dir) {
            case Direction::Left:
            case Direction::RowStart:
                if (!row || dx >= 0) continue;
                cost = dir == Direction::Left ? -dx : dx;
                break;
            case Direction::Right:
            case Direction::RowEnd:
                if (!row || dx <= 0) continue;
                cost = dir == Direction::Right ? dx : -dx;
                break;
            case Direction::Up:
            case Direction::Down:
                if (row || (dir == Direction::Up ? dy >= 0 : dy <= 0)) continue;
                // The nearest row first, then the closest across.
                cost = std::llabs(dy) * (std::int64_t{1} << 32) + std::llabs(dx);
                break;
            default:
                continue;
        }
        if (best == from || cost < bestCost) {
            best = i;
            bestCost = cost;
        }
    }
    return best;
}

}  // namespace zavo
