#include "components/qt/key_picture.hpp"

#include <QPainter>
#include <vector>

namespace sarvelo {

QPixmap keyPicture() {
    QPixmap pix(334, 227);
    pix.fill(Qt::white);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 110, 0), 3));
    struct Branch {
        QPointF from;
        double dx;
        int depth;
    };
    std::vector<Branch> todo{{QPointF(20, 113), 70, 0}};
    while (!todo.empty()) {
        const Branch b = todo.back();
        todo.pop_back();
        const double spread = 56.0 / (1 << b.depth);
        for (int side : {-1, 1}) {
            const QPointF to(b.from.x() + b.dx, b.from.y() + side * spread);
            p.drawLine(b.from, to);
            if (b.depth < 4) {
                todo.push_back({to, b.dx * 0.85, b.depth + 1});
            } else {
                p.setBrush(QColor(192, 220, 192));
                p.drawEllipse(to, 4, 4);
            }
        }
    }
    return pix;
}

}  // namespace sarvelo
