#pragma once

#include <QDialog>

class RadioGroup;

// The attachments dialog: the user picks one of the three documents shipped
// in "Anexos" and "&Buscar" opens it with the desktop's program for its
// type. Each request gets a fresh dialog, which frees itself when closed.
class TArquivos_Anexos_Frm : public QDialog {
    Q_OBJECT

public:
    explicit TArquivos_Anexos_Frm(QWidget *parent = nullptr);

    // The document of each item of m_rgArquivo, relative to the program folder.
    static QString documentOf(int item);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnExportarClick();
    void btnFecharClick();

    RadioGroup *m_rgArquivo;
};
