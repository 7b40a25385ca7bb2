#pragma once

#include <QProxyStyle>

class QComboBox;

// The style of the program's drop-down lists, over the style in use: the
// list opens under its box with the rows and the width set on the combo box
// (some styles open a menu over the box instead, as tall as the screen and
// as wide as the box). The flat variant paints the box in its palette's
// Button colour, without the style's shading.
class DropDownStyle : public QProxyStyle {
    Q_OBJECT

  public:
    // Gives the combo box the shared plain or flat drop-down style.
    static void apply(QComboBox *combo, bool flat = false);

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;

  private:
    explicit DropDownStyle(bool flat);

    bool m_flat;
};
