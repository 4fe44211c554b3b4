// Draws the application's pictures into a folder:  draw-icons OUTDIR
// The PNGs are committed; run this again only to change them. The QR code of
// the manual is made separately (see the README).
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

QImage canvas(int w, int h, QColor fill = Qt::transparent)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void begin(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QImage dosimeter()
{
    QImage img = canvas(280, 270);
    QPainter p(&img);
    begin(p);
    // cable and microphone
    QPainterPath cable;
    cable.moveTo(140, 62);
    cable.cubicTo(140, 40, 200, 44, 205, 20);
    p.setPen(QPen(QColor(60, 60, 60), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(196, 4, 20, 26), 8, 8);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QRectF(194, 0, 24, 12));
    // body
    QLinearGradient body(0, 60, 0, 262);
    body.setColorAt(0, QColor(88, 92, 98));
    body.setColorAt(1, QColor(44, 46, 50));
    p.setBrush(body);
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.drawRoundedRect(QRectF(62, 60, 156, 202), 22, 22);
    // red band with the model
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 0, 0));
    p.drawRect(QRectF(63, 78, 154, 22));
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Liberation Sans"), 11, QFont::Bold);
    p.setFont(f);
    p.drawText(QRectF(63, 78, 154, 22), Qt::AlignCenter, QStringLiteral("NVX-2200"));
    // display
    p.setPen(QPen(QColor(15, 15, 15), 2));
    p.setBrush(QColor(170, 205, 160));
    p.drawRoundedRect(QRectF(80, 112, 120, 62), 6, 6);
    p.setPen(QColor(20, 40, 20));
    p.setFont(QFont(QStringLiteral("Liberation Mono"), 20, QFont::Bold));
    p.drawText(QRectF(80, 114, 120, 36), Qt::AlignCenter, QStringLiteral("85.3"));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    p.drawText(QRectF(86, 148, 108, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("dB(A)  Leq"));
    p.drawText(QRectF(86, 148, 108, 22), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("D 42%"));
    // keys
    p.setPen(QPen(QColor(15, 15, 15), 1.5));
    const QColor keys[3] = {QColor(32, 152, 32), QColor(200, 200, 200), QColor(230, 0, 0)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(keys[i]);
        p.drawEllipse(QRectF(88 + i * 40, 192, 24, 24));
    }
    // clip
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(120, 230, 40, 18), 6, 6);
    return img;
}

QImage records()
{
    QImage img = canvas(150, 150);
    QPainter p(&img);
    begin(p);
    const QColor ink(255, 255, 255);
    p.setPen(QPen(ink, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(28, 22, 94, 114), 8, 8);   // clipboard
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(52, 12, 46, 20), 5, 5);    // clip
    // a level history on the sheet
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 4));
    p.drawLine(QPointF(42, 118), QPointF(110, 118));
    p.drawLine(QPointF(42, 118), QPointF(42, 50));
    QPainterPath trace;
    const double ys[] = {100, 86, 92, 66, 74, 58, 80, 62};
    trace.moveTo(46, ys[0]);
    for (int i = 1; i < 8; ++i)
        trace.lineTo(46 + i * 9, ys[i]);
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trace);
    return img;
}

QImage gear(QColor ink)
{
    QImage img = canvas(150, 150);
    QPainter p(&img);
    begin(p);
    const QPointF c(75, 75);
    QPainterPath g;
    const int teeth = 10;
    const double rOut = 58, rIn = 46;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * M_PI / teeth;
        const double a1 = (i + 0.5) * M_PI / teeth;
        const double r = (i % 2 == 0) ? rOut : rIn;
        const QPointF p0 = c + QPointF(r * qCos(a0 + 0.06), r * qSin(a0 + 0.06));
        const QPointF p1 = c + QPointF(r * qCos(a1 - 0.06), r * qSin(a1 - 0.06));
        if (i == 0)
            g.moveTo(p0);
        else
            g.lineTo(p0);
        g.lineTo(p1);
    }
    g.closeSubpath();
    g.addEllipse(c, 20, 20);
    g.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(g);
    return img;
}

QImage logo(QColor background, QColor word, QColor mark)
{
    QImage img = canvas(300, 100, background);
    QPainter p(&img);
    begin(p);
    // mark: three rising sound arcs in a circle
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawEllipse(QRectF(10, 18, 64, 64));
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double r = 10 + i * 9;
        p.drawArc(QRectF(30 - r, 50 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    p.setPen(word);
    QFont f(QStringLiteral("Liberation Sans"), 25, QFont::Black);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(f);
    p.drawText(QRectF(82, 10, 214, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TERVANIS"));
    QFont s(QStringLiteral("Liberation Sans"), 7);
    s.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(s);
    p.drawText(QRectF(84, 62, 214, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("INSTRUMENTOS DE MEDIÇÃO"));
    return img;
}

QImage download()
{
    QImage img = canvas(48, 48);
    QPainter p(&img);
    begin(p);
    const QColor ink(32, 152, 32);
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(24, 6), QPointF(24, 30));
    p.drawPolyline(QPolygonF({QPointF(13, 20), QPointF(24, 31), QPointF(35, 20)}));
    p.drawPolyline(QPolygonF({QPointF(7, 32), QPointF(7, 42), QPointF(41, 42), QPointF(41, 32)}));
    return img;
}

QImage deleteMark()
{
    QImage img = canvas(48, 48);
    QPainter p(&img);
    begin(p);
    const QColor ink(230, 0, 0);
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(8, 12), QPointF(40, 12));           // lid
    p.drawLine(QPointF(19, 6), QPointF(29, 6));            // handle
    p.drawPolyline(QPolygonF({QPointF(12, 14), QPointF(15, 43), QPointF(33, 43), QPointF(36, 14)}));
    p.drawLine(QPointF(20, 20), QPointF(20, 37));
    p.drawLine(QPointF(28, 20), QPointF(28, 37));
    return img;
}

QImage back()
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    begin(p);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(14, 32), QPointF(52, 32));
    p.drawPolyline(QPolygonF({QPointF(30, 14), QPointF(12, 32), QPointF(30, 50)}));
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    const auto save = [&](const QImage &img, const char *name) { return img.save(out + QLatin1Char('/') + QLatin1String(name)); };
    bool ok = save(dosimeter(), "imagem_dosimetro.png")
              && save(records(), "ICON_MEDICOES2.png")
              && save(gear(Qt::white), "ICON_CONFIG2.png")
              && save(gear(QColor(120, 120, 120)), "ICON_CONFIG2_off.png")
              && save(logo(QColor(0, 0, 0), Qt::white, QColor(230, 0, 0)), "Logomarca_fundoPreto.png")
              && save(logo(Qt::white, QColor(30, 30, 30), QColor(230, 0, 0)), "Logomarca_fundoBranco.png")
              && save(download(), "baixar_dados.png")
              && save(deleteMark(), "deletar_dado.png")
              && save(back(), "voltar.png");
    return ok ? 0 : 1;
}
