#include "picture_painter.h"

#include "output_file.h"

#include "base/data/app_error.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace {

const QStringList kButtons = {QStringLiteral("dados"),  QStringLiteral("mapa"),  QStringLiteral("grafico"),
                              QStringLiteral("exportar"), QStringLiteral("anexos"), QStringLiteral("ajuda"),
                              QStringLiteral("sobre"),  QStringLiteral("sair")};

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
const QColor kOrange(255, 138, 21);

QImage canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont font(const QString &family, int pixels, bool bold = false) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void page(QPainter &p, const QRectF &r, const QColor &fill) {
    QPainterPath path;
    const double fold = r.width() * 0.3;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

// The glyph of a header button, drawn in a 32 x 32 box.
void glyph(QPainter &p, const QString &name) {
    p.setPen(QPen(kNavy, 1.5));
    if (name == QLatin1String("dados")) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 6, 24, 20));
        p.fillRect(QRectF(4.75, 6.75, 22.5, 5), QColor(255, 174, 94));
        for (int y = 16; y < 26; y += 5)
            p.drawLine(QPointF(4, y), QPointF(28, y));
        p.drawLine(QPointF(12, 6), QPointF(12, 26));
        p.drawLine(QPointF(20, 6), QPointF(20, 26));
    } else if (name == QLatin1String("mapa")) {
        const QPolygonF panels[3] = {QPolygonF({{3, 8}, {11, 5}, {11, 25}, {3, 28}}),
                                     QPolygonF({{11, 5}, {21, 8}, {21, 28}, {11, 25}}),
                                     QPolygonF({{21, 8}, {29, 5}, {29, 25}, {21, 28}})};
        const QColor colours[3] = {QColor(207, 232, 196), QColor(246, 231, 180), QColor(201, 221, 240)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.drawPolygon(panels[i]);
        }
        p.setBrush(QColor(220, 40, 40));
        p.setPen(QPen(kMaroon, 1));
        QPainterPath pin;
        pin.addEllipse(QPointF(16, 12), 4, 4);
        pin.moveTo(13, 14);
        pin.lineTo(16, 21);
        pin.lineTo(19, 14);
        p.drawPath(pin.simplified());
    } else if (name == QLatin1String("grafico")) {
        p.drawLine(QPointF(4, 4), QPointF(4, 28));
        p.drawLine(QPointF(4, 28), QPointF(29, 28));
        const QColor colours[3] = {QColor(0, 128, 255), QColor(255, 128, 0), QColor(43, 200, 43)};
        const double heights[3] = {12, 20, 8};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(7 + i * 7.5, 28 - heights[i] - 1, 6, heights[i]));
        }
    } else if (name == QLatin1String("exportar")) {
        page(p, QRectF(4, 3, 16, 24), Qt::white);
        p.setPen(QPen(QColor(0, 130, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(13, 18), QPointF(27, 18));
        p.drawPolyline(QPolygonF({{22, 13}, {27.5, 18}, {22, 23}}));
    } else if (name == QLatin1String("anexos")) {
        page(p, QRectF(9, 7, 18, 22), QColor(235, 235, 235));
        page(p, QRectF(5, 3, 18, 22), Qt::white);
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (int y = 12; y <= 21; y += 3)
            p.drawLine(QPointF(8, y), QPointF(19, y));
        p.setPen(QPen(QColor(90, 90, 110), 1.6));
        p.setBrush(Qt::NoBrush);
        QPainterPath clip;
        clip.moveTo(10, 14);
        clip.lineTo(10, 3);
        clip.arcTo(QRectF(10, 0, 5, 5), 180, -180);
        clip.lineTo(15, 12);
        p.drawPath(clip);
    } else if (name == QLatin1String("ajuda") || name == QLatin1String("sobre")) {
        QRadialGradient g(QPointF(13, 11), 15);
        g.setColorAt(0, QColor(90, 150, 255));
        g.setColorAt(1, kNavy);
        p.setBrush(g);
        p.setPen(QPen(kNavy, 1));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(Qt::white);
        p.setFont(font(QStringLiteral("DejaVu Serif"), 20, true));
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, name == QLatin1String("ajuda") ? QStringLiteral("?")
                                                                                         : QStringLiteral("i"));
    } else if (name == QLatin1String("sair")) {
        p.setBrush(QColor(205, 150, 90));
        p.drawRect(QRectF(5, 4, 14, 24));
        p.setBrush(QColor(150, 95, 40));
        p.drawPolygon(QPolygonF({{5, 4}, {14, 7}, {14, 30}, {5, 28}}));
        p.setBrush(kNavy);
        p.drawEllipse(QPointF(12, 17), 1, 1);
        p.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(19, 16), QPointF(29, 16));
        p.drawPolyline(QPolygonF({{25, 12}, {29.5, 16}, {25, 20}}));
    }
}

QImage treePicture(const QString &kind) {
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 110, 0), 1));
    if (kind == QLatin1String("tabela")) {
        p.setPen(QPen(kNavy, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.fillRect(QRectF(2, 3, 12, 3), QColor(255, 174, 94));
        p.drawLine(QPointF(1.5, 9.5), QPointF(14.5, 9.5));
        p.drawLine(QPointF(6.5, 2.5), QPointF(6.5, 13.5));
        p.drawLine(QPointF(10.5, 2.5), QPointF(10.5, 13.5));
        return image;
    }
    p.setBrush(QColor(240, 200, 80));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
    if (kind == QLatin1String("aberto")) {
        p.setBrush(QColor(255, 225, 120));
        p.drawPolygon(QPolygonF({{1.5, 13.5}, {4, 7.5}, {15.5, 7.5}, {13.5, 13.5}}));
    }
    return image;
}

QImage chartPicture(const QString &kind) {
    QImage image = canvas(40, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[5] = {QColor(0, 0, 159), QColor(0, 128, 255), QColor(255, 128, 0), QColor(43, 200, 43),
                               QColor(220, 40, 40)};
    p.setPen(QPen(QColor(40, 40, 40), 1));
    if (kind == QLatin1String("pizza") || kind == QLatin1String("roda")) {
        const bool flat = kind == QLatin1String("roda");
        const QRectF box(3, flat ? 4 : 6, 34, flat ? 32 : 22);
        if (!flat) {
            p.setBrush(QColor(0, 0, 100));
            p.drawRect(QRectF(3, 17, 34, 6));
            p.drawEllipse(box.translated(0, 6));
        }
        const int spans[5] = {120, 80, 70, 50, 40};
        int start = 90;
        for (int i = 0; i < 5; ++i) {
            p.setBrush(colours[i]);
            p.drawPie(box, start * 16, spans[i] * 16);
            start += spans[i];
        }
        if (flat) {
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(20, 20), 7, 7);
        }
        return image;
    }
    p.drawLine(QPointF(4, 3), QPointF(4, 36));
    p.drawLine(QPointF(4, 36), QPointF(37, 36));
    const double values[5] = {14, 24, 10, 30, 19};
    for (int i = 0; i < 5; ++i) {
        p.setBrush(colours[i]);
        const double x = 7 + i * 6;
        if (kind == QLatin1String("pontos")) {
            p.drawEllipse(QPointF(x + 2, 36 - values[i]), 2.5, 2.5);
        } else if (kind == QLatin1String("linhas_verticais")) {
            p.setPen(QPen(colours[i], 2.5));
            p.drawLine(QPointF(x + 2, 35), QPointF(x + 2, 36 - values[i]));
        } else if (kind == QLatin1String("barras_horizontais")) {
            p.drawRect(QRectF(5, 6 + i * 6, values[i], 4.5));
        } else {
            p.drawRect(QRectF(x, 35 - values[i], 4.5, values[i]));
        }
    }
    return image;
}

QImage filePicture(const QString &kind) {
    QImage image = canvas(28, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == QLatin1String("planilha")) {
        page(p, QRectF(4, 2, 20, 24), Qt::white);
        p.setPen(QPen(QColor(0, 120, 60), 1));
        for (int y = 10; y <= 22; y += 4)
            p.drawLine(QPointF(7, y), QPointF(21, y));
        p.drawLine(QPointF(12, 8), QPointF(12, 24));
        p.drawLine(QPointF(17, 8), QPointF(17, 24));
        p.fillRect(QRectF(7, 7, 14, 3), QColor(0, 150, 70));
    } else if (kind == QLatin1String("texto")) {
        page(p, QRectF(4, 2, 20, 24), Qt::white);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        for (int y = 10; y <= 22; y += 3)
            p.drawLine(QPointF(7, y), QPointF(y % 2 ? 17 : 21, y));
    } else {
        page(p, QRectF(4, 2, 20, 24), QColor(201, 221, 240));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 200, 0));
        p.drawEllipse(QPointF(10, 10), 3, 3);
        p.setBrush(QColor(43, 160, 43));
        p.drawPolygon(QPolygonF({{5, 25.5}, {12, 14}, {16, 20}, {19, 16}, {23.5, 25.5}}));
    }
    return image;
}

QImage smallPicture(const QString &name) {
    const int size = name == QLatin1String("pesquisar") ? 32 : name.startsWith(QLatin1String("legenda")) ? 24 : 16;
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    if (name == QLatin1String("pesquisar")) {
        p.setPen(QPen(kNavy, 1.2));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        p.setPen(QPen(QColor(120, 70, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    } else if (name == QLatin1String("marcado")) {
        p.setPen(QPen(QColor(0, 150, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
    } else if (name == QLatin1String("limpar_selecao")) {
        p.setPen(QPen(QColor(200, 0, 0), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    } else if (name == QLatin1String("legenda_salvar")) {
        p.setPen(QPen(kNavy, 0.8));
        p.setBrush(QColor(60, 90, 170));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4, 9, 8, 5.5));
    } else if (name == QLatin1String("legenda_automatica")) {
        const QColor colours[4] = {QColor(0, 0, 159), QColor(0, 128, 255), QColor(255, 128, 0), QColor(43, 200, 43)};
        p.setPen(QPen(QColor(40, 40, 40), 0.6));
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(2, 1.5 + i * 3.3, 5, 2.8));
        }
        p.setPen(QPen(kMaroon, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 14), QPointF(14, 5));
        p.setPen(QPen(QColor(255, 200, 0), 1.2));
        p.drawLine(QPointF(12.5, 2), QPointF(15, 2));
        p.drawLine(QPointF(13.75, 0.8), QPointF(13.75, 3.2));
    } else {
        p.setPen(QPen(QColor(0, 130, 0), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 280 * 16);
        p.setBrush(QColor(0, 130, 0));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({{13.8, 1.5}, {14.2, 7}, {9, 5.5}}));
    }
    return image;
}

} // namespace

PicturePainter::PicturePainter(const QList<QPolygonF> &country) : m_country(country) {}

QStringList PicturePainter::fileNames() {
    QStringList names{QStringLiteral("cabecalho.png")};
    for (const QString &b : kButtons)
        names << QStringLiteral("botao_%1.png").arg(b) << QStringLiteral("botao_%1_pressionado.png").arg(b);
    names << QStringLiteral("arvore_topico_fechado.png") << QStringLiteral("arvore_topico_aberto.png")
          << QStringLiteral("arvore_tabela.png") << QStringLiteral("pesquisar.png") << QStringLiteral("marcado.png")
          << QStringLiteral("limpar_selecao.png") << QStringLiteral("legenda_salvar.png")
          << QStringLiteral("legenda_automatica.png") << QStringLiteral("legenda_atualizar.png");
    for (const char *chart : {"pizza", "roda", "pontos", "linhas_verticais", "barras_horizontais", "barras_verticais"})
        names << QStringLiteral("grafico_%1.png").arg(QLatin1String(chart));
    names << QStringLiteral("arquivo_planilha.png") << QStringLiteral("arquivo_texto.png")
          << QStringLiteral("arquivo_imagem.png") << QStringLiteral("abertura.png") << QStringLiteral("faixa.png")
          << QStringLiteral("logo_instituicao.png") << QStringLiteral("logo_desenvolvedor.png");
    return names;
}

QImage PicturePainter::picture(const QString &fileName) const {
    const QString name = QString(fileName).remove(QStringLiteral(".png"));
    if (name == QLatin1String("cabecalho"))
        return header();
    if (name == QLatin1String("abertura"))
        return splash();
    if (name == QLatin1String("faixa"))
        return banner();
    if (name == QLatin1String("logo_instituicao"))
        return institutionLogo();
    if (name == QLatin1String("logo_desenvolvedor"))
        return developerLogo();
    if (name.startsWith(QLatin1String("botao_"))) {
        const bool pressed = name.endsWith(QLatin1String("_pressionado"));
        return button(name.mid(6).remove(QStringLiteral("_pressionado")), pressed);
    }
    if (name.startsWith(QLatin1String("arvore_")))
        return treePicture(name.section(QLatin1Char('_'), -1));
    if (name.startsWith(QLatin1String("grafico_")))
        return chartPicture(name.mid(8));
    if (name.startsWith(QLatin1String("arquivo_")))
        return filePicture(name.mid(8));
    return smallPicture(name);
}

QImage PicturePainter::button(const QString &name, bool pressed) const {
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (pressed) {
        // Pressed: sunk into a darker disc, moved one pixel down and right.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 60, 90));
        p.drawEllipse(QRectF(0.5, 0.5, 31, 31));
        p.translate(1, 1);
    }
    glyph(p, name);
    return image;
}

void PicturePainter::drawCountry(QPainter &painter, const QRectF &into, const QColor &fill, const QColor &line) const {
    QRectF box;
    for (const QPolygonF &ring : m_country)
        box = box.united(ring.boundingRect());
    if (box.isEmpty())
        return;
    const double scale = std::min(into.width() / box.width(), into.height() / box.height());
    painter.save();
    painter.translate(into.center() - QPointF(box.width(), box.height()) * scale / 2);
    painter.scale(scale, scale);
    painter.translate(-box.topLeft());
    painter.setPen(QPen(line, 1.0 / scale * 0.8));
    painter.setBrush(fill);
    for (const QPolygonF &ring : m_country)
        painter.drawPolygon(ring);
    painter.restore();
}

QImage PicturePainter::header() const {
    QImage image = canvas(64, 67);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawCountry(p, QRectF(1, 1, 62, 65), QColor(90, 170, 90), QColor(30, 90, 30));
    // A house over the country.
    p.setPen(QPen(kMaroon, 1.5));
    p.setBrush(QColor(255, 245, 220));
    p.drawRect(QRectF(24, 34, 18, 14));
    p.setBrush(QColor(200, 40, 30));
    p.drawPolygon(QPolygonF({{20, 35}, {33, 23}, {46, 35}}));
    p.setBrush(QColor(120, 70, 20));
    p.drawRect(QRectF(31, 40, 5, 8));
    return image;
}

QImage PicturePainter::splash() const {
    QImage image(430, 310, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 310);
    sky.setColorAt(0, QColor(20, 30, 90));
    sky.setColorAt(0.65, QColor(230, 120, 40));
    sky.setColorAt(1, QColor(255, 190, 110));
    p.fillRect(image.rect(), sky);
    drawCountry(p, QRectF(230, 20, 185, 185), QColor(255, 255, 255, 60), QColor(255, 255, 255, 150));
    // A row of houses along the bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 20, 40));
    for (int i = 0; i < 9; ++i) {
        const double x = 20 + i * 44;
        const double h = 26 + (i * 37 % 5) * 7;
        p.drawRect(QRectF(x, 310 - h, 36, h));
        p.drawPolygon(QPolygonF({{x - 3, 310 - h}, {x + 18, 290 - h}, {x + 39, 310 - h}}));
    }
    p.fillRect(QRectF(0, 0, 20, 310), QColor(20, 20, 50, 200));
    p.fillRect(QRectF(410, 0, 20, 310), QColor(20, 20, 50, 200));
    p.setPen(Qt::white);
    p.setFont(font(QStringLiteral("DejaVu Sans"), 30, true));
    p.drawText(QRectF(34, 40, 380, 40), QStringLiteral("SOLVANE"));
    p.setFont(font(QStringLiteral("DejaVu Sans"), 18, true));
    p.drawText(QRectF(34, 80, 380, 26), QStringLiteral("NO BRASIL"));
    p.setFont(font(QStringLiteral("DejaVu Sans"), 13));
    p.drawText(QRectF(34, 120, 250, 40), Qt::TextWordWrap, QStringLiteral("Necessidades habitacionais\nCenso 2000"));
    p.setPen(QColor(255, 240, 200));
    p.setFont(font(QStringLiteral("DejaVu Sans"), 11, true));
    p.drawText(QRectF(34, 200, 370, 20), QStringLiteral("Estudo de exemplo: números fictícios"));
    return image;
}

QImage PicturePainter::banner() const {
    QImage image = canvas(208, 39);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 208, 0);
    g.setColorAt(0, QColor(255, 174, 94));
    g.setColorAt(1, QColor(255, 255, 213));
    p.setPen(QPen(kMaroon, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 207, 38), 6, 6);
    p.setPen(kNavy);
    p.setFont(font(QStringLiteral("DejaVu Sans"), 14, true));
    p.drawText(QRectF(8, 2, 192, 20), Qt::AlignCenter, QStringLiteral("Solvane no Brasil"));
    p.setPen(kMaroon);
    p.setFont(font(QStringLiteral("DejaVu Sans"), 10));
    p.drawText(QRectF(8, 20, 192, 16), Qt::AlignCenter, QStringLiteral("estudo de exemplo"));
    return image;
}

QImage PicturePainter::institutionLogo() const {
    QImage image = canvas(74, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawPolygon(QPolygonF({{2, 20}, {20, 4}, {38, 20}, {33, 20}, {20, 9}, {7, 20}}));
    p.drawRect(QRectF(10, 19, 20, 18));
    p.setBrush(kOrange);
    p.drawRect(QRectF(17, 26, 6, 11));
    p.setPen(kNavy);
    p.setFont(font(QStringLiteral("DejaVu Serif"), 16, true));
    p.drawText(QRectF(40, 6, 34, 30), Qt::AlignCenter, QStringLiteral("SV"));
    return image;
}

QImage PicturePainter::developerLogo() const {
    QImage image = canvas(156, 58);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawCountry(p, QRectF(2, 4, 50, 50), QColor(0, 128, 255), QColor(0, 0, 128));
    p.setPen(kNavy);
    p.setFont(font(QStringLiteral("DejaVu Sans"), 20, true));
    p.drawText(QRectF(56, 6, 100, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Solvane"));
    p.setPen(kMaroon);
    p.setFont(font(QStringLiteral("DejaVu Sans"), 9));
    p.drawText(QRectF(56, 32, 100, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("estudo de exemplo"));
    return image;
}

void PicturePainter::writeAll(const QString &programFolder) const {
    for (const QString &name : fileNames()) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!picture(name).save(&buffer, "PNG"))
            throw AppError(QStringLiteral("Não foi possível desenhar a figura %1.").arg(name));
        OutputFile::write(programFolder + QStringLiteral("/Imagens/") + name, buffer.data());
    }
}
