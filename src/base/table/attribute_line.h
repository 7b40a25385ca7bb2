#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One line of FAtributos: the six items a catalogue row leaves for the query
// builder, the result table, the grid and the text export. The line is
// written as six double-quoted items joined by commas and read back as comma
// text.
struct AttributeLine {
    QString kind;    // "AGREGADA" for a group field, "VALOR" for a value field
    QString path;    // full name of the field in the result table
    QString title;   // Descricao_Atributo
    QString name;    // Atributo, the data column
    QString formula; // Formula_Percentual_Total: not empty for a percentage
    QString sample;  // Atributo_Pesquisa_Rustico: "S" for a survey-sample figure

    static inline const QString kGroup = QStringLiteral("AGREGADA");
    static inline const QString kValue = QStringLiteral("VALOR");

    bool isValue() const { return kind == kValue; }

    QString text() const;
    static AttributeLine parse(const QString &line);
    static std::vector<AttributeLine> parseAll(const QStringList &lines);
};
