#pragma once

#include "core/map/area_list.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QWidget>

// The map area component: shows a map picture whose areas are patches of
// one colour separated by border lines, colours the areas from a colour list
// (VKColoreAreasMapa), names the area under the pointer in a label and/or a
// panel, and, while Tag is 0, traces the outline of a clicked area and
// stores it under a name the user types as a line of the area list.
//
// Tag is the number of rows the picture sits below the coordinates of the
// area list: a stored point (x, y) is the picture's pixel (x, y + Tag).
// The panel is a QLabel too: a framed label is this toolkit's panel with a
// caption. The picture is kept in Format_RGB32 and drawn unscaled at the
// top left corner.
class TVarnikMapa : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QStringList VKAreasMapa READ VKAreasMapa WRITE SetVKAreasMapa)
    Q_PROPERTY(QStringList VKCorAreasMapa READ VKCorAreasMapa WRITE SetVKCorAreasMapa)
    Q_PROPERTY(QColor VKCorFronteira READ VKCorFronteira WRITE SetVKCorFronteira)
    Q_PROPERTY(QColor VKCorSelecao READ VKCorSelecao WRITE SetVKCorSelecao)
    Q_PROPERTY(QLabel *VKLabelNomeArea READ VKLabelNomeArea WRITE SetVKLabelNomeArea)
    Q_PROPERTY(QLabel *VKPanelNomeArea READ VKPanelNomeArea WRITE SetVKPanelNomeArea)
    Q_PROPERTY(bool VKNomesIguais READ VKNomesIguais WRITE SetVKNomesIguais)
    Q_PROPERTY(bool VKChecaCorFronteira READ VKChecaCorFronteira WRITE SetVKChecaCorFronteira)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

  public:
    explicit TVarnikMapa(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    // The lists are copied in; assigning a list its own lines does nothing.
    const QStringList &VKAreasMapa() const { return m_areas.lines(); }
    void SetVKAreasMapa(const QStringList &lines);
    const QStringList &VKCorAreasMapa() const { return m_colors.lines(); }
    void SetVKCorAreasMapa(const QStringList &lines);

    QColor VKCorFronteira() const { return m_corFronteira; }
    void SetVKCorFronteira(const QColor &color) { m_corFronteira = color; }
    QColor VKCorSelecao() const { return m_corSelecao; }
    void SetVKCorSelecao(const QColor &color) { m_corSelecao = color; }
    QLabel *VKLabelNomeArea() const { return m_labelNomeArea; }
    void SetVKLabelNomeArea(QLabel *label) { m_labelNomeArea = label; }
    QLabel *VKPanelNomeArea() const { return m_panelNomeArea; }
    void SetVKPanelNomeArea(QLabel *panel) { m_panelNomeArea = panel; }
    bool VKNomesIguais() const { return m_nomesIguais; }
    void SetVKNomesIguais(bool on) { m_nomesIguais = on; }
    bool VKChecaCorFronteira() const { return m_checaCorFronteira; }
    void SetVKChecaCorFronteira(bool on) { m_checaCorFronteira = on; }
    int Tag() const { return m_tag; }
    void SetTag(int rows) { m_tag = rows; }

    // When on, the name of an area with no line in the colour list (an area
    // the table has no figure for) is shown followed by " (sem dado)".
    bool marksAreasWithoutData() const { return m_marksAreasWithoutData; }
    void setMarksAreasWithoutData(bool on) { m_marksAreasWithoutData = on; }

    // Flood-fills every listed area that has a colour in the colour list.
    // A malformed seed or colour raises AppError; what was coloured before
    // it stays coloured and is shown.
    void VKColoreAreasMapa();

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    void showAreaName(const QString &name);
    // Traces the area of the last pointer position and asks for its name.
    void click();

    QImage m_picture;
    AreaList m_areas;
    AreaList m_colors;
    QColor m_corFronteira{Qt::black};
    QColor m_corSelecao{Qt::black};
    QPointer<QLabel> m_labelNomeArea;
    QPointer<QLabel> m_panelNomeArea;
    bool m_nomesIguais = false;
    bool m_checaCorFronteira = false;
    int m_tag = 0;
    bool m_marksAreasWithoutData = false;
    QPoint m_pointer;
    bool m_pressed = false;
};
