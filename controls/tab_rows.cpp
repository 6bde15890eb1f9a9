#include "controls/tab_rows.h"

#include <algorithm>

namespace tavro {

TabRows LayOutTabRows(const std::vector<int>& widths, int width, int rowHeight, int current,
                      bool pagesBelow) {
    TabRows out;
    const int n = static_cast<int>(widths.size());
    out.rects.assign(widths.size(), QRect());
    out.rowOf.assign(widths.size(), -1);

    // The visible tabs of each row, in order.
    std::vector<std::vector<int>> rows;
    int used = 0;
    for (int i = 0; i < n; ++i) {
        const int w = widths[static_cast<size_t>(i)];
        if (w <= 0) continue;
        if (rows.empty() || (used > 0 && used + w > width)) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += w;
    }
    out.rows = static_cast<int>(rows.size());
    out.height = out.rows * rowHeight;
    if (rows.empty()) return out;

    int first = 0; // the row that lies next to the pages
    if (current >= 0 && current < n) {
        for (int r = 0; r < out.rows; ++r) {
            const auto& row = rows[static_cast<size_t>(r)];
            if (std::find(row.begin(), row.end(), current) != row.end()) first = r;
        }
    }
    const bool justify = out.rows > 1;
    for (int r = 0; r < out.rows; ++r) {
        const auto& row = rows[static_cast<size_t>(r)];
        const int place = (r - first + out.rows) % out.rows; // 0: next to the pages
        const int y = pagesBelow ? (out.rows - 1 - place) * rowHeight : place * rowHeight;
        int sum = 0;
        for (int i : row)
            sum += widths[static_cast<size_t>(i)];
        const int count = static_cast<int>(row.size());
        const int extra = justify ? std::max(0, width - sum) : 0;
        int x = 0;
        for (int k = 0; k < count; ++k) {
            const int i = row[static_cast<size_t>(k)];
            const int w =
                widths[static_cast<size_t>(i)] + extra / count + (k < extra % count ? 1 : 0);
            out.rects[static_cast<size_t>(i)] = QRect(x, y, w, rowHeight);
            out.rowOf[static_cast<size_t>(i)] = r;
            x += w;
        }
    }
    return out;
}

} // namespace tavro
