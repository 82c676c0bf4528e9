#include "dpagepreview.h"

#include <QPainter>
#include <QPen>

namespace {

// A Latin filler of 543 characters: only its look matters.
const char* const mustertext =
    "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut labore et "
    "dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation ullamco laboris nisi ut aliquip "
    "ex ea commodo consequat. Duis aute irure dolor in reprehenderit in voluptate velit esse cillum dolore eu "
    "fugiat nulla pariatur. Excepteur sint occaecat cupidatat non proident, sunt in culpa qui officia deserunt "
    "mollit anim id est laborum. Curabitur pretium tincidunt lacus, nulla gravida orci a odio; nullam varius, "
    "turpis et commodo a.";

// The filler doubled three times, enough to fill any sheet at the preview's small font.
QString gib_mustertext()
{
    QString text = QString::fromLatin1(mustertext);
    for (int i = 0; i < 3; ++i)
        text += text;
    return text;
}

} // namespace

DPagePreview::DPagePreview(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(50, 50);
}

DPagePreview::~DPagePreview() = default;

void DPagePreview::setze_raender(double l, double o, double r, double u)
{
    links = l;
    oben = o;
    rechts = r;
    unten = u;
}

void DPagePreview::paintEvent(QPaintEvent*)
{
    if (!papier.isValid() || papier.isEmpty())
        return;
    QSizeF seitengroesse = papier;
    seitengroesse.scale(width() - 10, height() - 10, Qt::KeepAspectRatio);
    QRect seite(QPoint(0, 0), seitengroesse.toSize());
    seite.moveCenter(rect().center());

    const double faktor_x = seite.width() / papier.width();
    const double faktor_y = seite.height() / papier.height();
    const int l = qRound(links * faktor_x);
    const int o = qRound(oben * faktor_y);
    const int r = qRound(rechts * faktor_x);
    const int u = qRound(unten * faktor_y);
    QRect rand(seite.left() + l, seite.top() + o, seite.width() - l - r - 1, seite.height() - o - u - 1);

    QPainter maler(this);
    QColor schatten = palette().mid().color();
    for (int versatz = 1, alpha = 150; alpha > 0; ++versatz, alpha -= 30) {
        schatten.setAlpha(alpha);
        maler.setPen(schatten);
        const QRect verschoben = seite.translated(versatz, versatz);
        maler.drawLine(verschoben.bottomLeft(), verschoben.bottomRight());
        maler.drawLine(verschoben.topRight(), verschoben.bottomRight() - QPoint(0, 1));
    }
    maler.fillRect(seite, palette().light());

    if (!rand.isValid())
        return;
    maler.setPen(QPen(palette().color(QPalette::Dark), 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    maler.drawRect(rand);
    rand.adjust(2, 2, -1, -1);
    maler.setClipRect(rand);
    QFont schrift;
    if (schrift.pointSizeF() > 0)
        schrift.setPointSizeF(schrift.pointSizeF() / 4);
    maler.setFont(schrift);
    maler.setPen(palette().color(QPalette::Dark));

    const QString text = gib_mustertext();
    const int abstand = int(rand.width() * 0.1);
    const double zellbreite = (rand.width() - (spalten - 1) * abstand) / double(spalten);
    const double zellhoehe = (rand.height() - (zeilen - 1) * abstand) / double(zeilen);
    for (int s = 0; s < spalten; ++s) {
        for (int z = 0; z < zeilen; ++z) {
            const QRectF zelle(rand.left() + s * (zellbreite + abstand), rand.top() + z * (zellhoehe + abstand),
                               zellbreite, zellhoehe);
            maler.drawText(zelle, Qt::TextWordWrap | Qt::AlignVCenter, text);
        }
    }
}
