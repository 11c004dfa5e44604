// Icons drawn with QPainter on a 16 by 16 grid at any pixel ratio.
#include "editor/app/Icons.h"

#include "editor/app/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace mirtala::app {

namespace {

using Draw = std::function<void(QPainter&)>;

QIcon Painted(const Draw& draw, std::initializer_list<int> sizes = {16, 32, 48}) {
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        draw(p);
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 245);
const QColor kAccent(46, 120, 200);

void Page(QPainter& p, QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
}

void Arrow(QPainter& p, bool forward) {
    p.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    if (forward) {
        arc.moveTo(3, 12);
        arc.cubicTo(3, 5, 11, 4, 12.5, 8);
    } else {
        arc.moveTo(13, 12);
        arc.cubicTo(13, 5, 5, 4, 3.5, 8);
    }
    p.drawPath(arc);
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    const QPolygonF head =
        forward ? QPolygonF({{10, 9}, {15, 9}, {13.5, 4.5}}) : QPolygonF({{6, 9}, {1, 9}, {2.5, 4.5}});
    p.drawPolygon(head);
}

// A round head with two eyes and a tail: the program's mark.
void Creature(QPainter& p) {
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(236, 168, 72));
    p.drawEllipse(QRectF(2, 3, 11, 10));
    p.drawEllipse(QRectF(1, 1.5, 4, 4));
    p.drawEllipse(QRectF(10, 1.5, 4, 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4.5, 6, 2.6, 2.6));
    p.drawEllipse(QRectF(8, 6, 2.6, 2.6));
    p.setBrush(kInk);
    p.drawEllipse(QRectF(5.5, 7, 1, 1));
    p.drawEllipse(QRectF(9, 7, 1, 1));
    p.setPen(QPen(kInk, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(6, 8.5, 3.5, 2.5), 200 * 16, 140 * 16);
}

}  // namespace

QIcon ProgramIcon() { return Painted(Creature, {16, 32, 48, 64, 128}); }

QIcon DocumentIcon() {
    return Painted([](QPainter& p) {
        Page(p, QRectF(2.5, 0.5, 11, 15));
        p.save();
        p.translate(4.5, 5);
        p.scale(0.45, 0.45);
        Creature(p);
        p.restore();
    });
}

QIcon CommandIcon(int command) {
    switch (command) {
        case cmd::FileNew:
            return Painted([](QPainter& p) {
                Page(p, QRectF(3.5, 1.5, 9, 13));
                p.setPen(QPen(kAccent, 1.5));
                p.drawLine(QPointF(12, 9), QPointF(12, 15));
                p.drawLine(QPointF(9, 12), QPointF(15, 12));
            });
        case cmd::FileOpen:
            return Painted([](QPainter& p) {
                p.setPen(QPen(kInk, 1));
                p.setBrush(QColor(230, 190, 90));
                p.drawRect(QRectF(1.5, 4.5, 12, 9));
                p.drawRect(QRectF(1.5, 3, 5, 2));
                p.setBrush(QColor(250, 215, 120));
                p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
            });
        case cmd::FileSave:
            return Painted([](QPainter& p) {
                p.setPen(QPen(kInk, 1));
                p.setBrush(kAccent);
                p.drawRect(QRectF(1.5, 1.5, 13, 13));
                p.setBrush(kPaper);
                p.drawRect(QRectF(4, 1.5, 8, 5));
                p.drawRect(QRectF(3.5, 9, 9, 5.5));
            });
        case cmd::EditCut:
            return Painted([](QPainter& p) {
                p.setPen(QPen(kInk, 1.2));
                p.drawLine(QPointF(4, 1), QPointF(10, 11));
                p.drawLine(QPointF(12, 1), QPointF(6, 11));
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(kAccent, 1.4));
                p.drawEllipse(QRectF(2, 10.5, 4, 4));
                p.drawEllipse(QRectF(10, 10.5, 4, 4));
            });
        case cmd::EditCopy:
            return Painted([](QPainter& p) {
                Page(p, QRectF(1.5, 1.5, 8, 10));
                Page(p, QRectF(6.5, 4.5, 8, 10));
            });
        case cmd::EditPaste:
            return Painted([](QPainter& p) {
                p.setPen(QPen(kInk, 1));
                p.setBrush(QColor(190, 140, 80));
                p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
                p.setBrush(QColor(200, 200, 200));
                p.drawRect(QRectF(4, 1, 5, 3));
                Page(p, QRectF(7.5, 6.5, 7, 9));
            });
        case cmd::EditUndo: return Painted([](QPainter& p) { Arrow(p, false); });
        case cmd::EditRedo: return Painted([](QPainter& p) { Arrow(p, true); });
        case cmd::ViewPoseSheet:
            // A grid of cells, the later cells of each row lighter as on the sheet.
            return Painted([](QPainter& p) {
                p.setPen(QPen(kInk, 1));
                for (int row = 0; row < 3; ++row)
                    for (int column = 0; column < 3; ++column) {
                        p.setBrush(column == 0 || (row == 1 && column == 2) ? kAccent : QColor(170, 200, 235));
                        p.drawRect(QRectF(1.5 + column * 4.5, 1.5 + row * 4.5, 4, 4));
                    }
            });
        case cmd::AppAbout:
            return Painted([](QPainter& p) {
                p.setPen(QPen(kInk, 1));
                p.setBrush(kAccent);
                p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
                p.setPen(Qt::white);
                QFont font = p.font();
                font.setPixelSize(11);
                font.setBold(true);
                p.setFont(font);
                p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
            });
        default: return {};
    }
}

}  // namespace mirtala::app
