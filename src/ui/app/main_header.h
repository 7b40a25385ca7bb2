#pragma once

#include "ui/widgets/gradient_band.h"

#include <QList>

class ClickLabel;
class ImageButton;

// The header band of the main window: its picture, the two title lines and
// the eight section buttons, each with its caption under it. Button and
// caption carry their section number in the property "tag".
class MainHeader : public GradientBand {
    Q_OBJECT

public:
    static constexpr int kHeight = 68;
    static constexpr int kSectionCount = 8;

    explicit MainHeader(QWidget *parent = nullptr);

    ImageButton *button(int section) const { return m_buttons.value(section); }
    ClickLabel *label(int section) const { return m_labels.value(section); }

private:
    void addTitles();
    void addSections();

    QList<ImageButton *> m_buttons;
    QList<ClickLabel *> m_labels;
};
