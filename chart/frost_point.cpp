#include "chart/frost_point.h"

#include "product/model/frost_messages.h"
#include "shell/qt/qt_text.h"

namespace tavro {

ChartPolyline ColdestWallPoint(const FrostCheck& check) {
    const QColor fill = check.design.frost ? QColor(0, 160, 230) : QColor(Qt::white);
    const QColor edge(0, 90, 160);
    return {{check.design.wallMin, check.design.wallMinX, fill, edge, 0, TextOf(kTextColdestWall)}};
}

} // namespace tavro
