#pragma once

#include <QDialog>

class QLabel;
class QWidget;

// The About window. As built it is the start-up splash: borderless, the
// picture with the version and the rights notice turned along its edges, and
// a 63-pixel footer with the publisher's logo, name and address. In dialog
// mode it gets a border and a taller footer that also shows the developer's
// logo, the version and the rights notice. It frees itself when closed.
class TSobre_Frm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 430;
    static constexpr int kClientHeight = 373;
    static constexpr int kPictureHeight = 310;
    static constexpr int kSplashFooterHeight = 63;
    static constexpr int kDialogFooterHeight = 135;

    explicit TSobre_Frm(QWidget *parent = nullptr);

    // Turns the splash into the About dialog: a dialog border, the footer
    // from 63 to 135 pixels, the turned labels hidden, and the footer's
    // lower part and the "Realização:" and "Desenvolvimento:" captions built.
    void switchToDialogMode();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildImage();
    void buildFooter();
    void buildDialogFooter();
    void lblLinkTebrixClick();
    void arrangePanels();

    QWidget *m_Panel1 = nullptr;
    QLabel *m_Image1 = nullptr;
    QWidget *m_pnlRodape = nullptr;
    QLabel *m_lblVersao = nullptr;
    QLabel *m_lblDireitos = nullptr;
    int m_footerHeight = kSplashFooterHeight;
};
