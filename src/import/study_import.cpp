#include "import/study_import.h"

#include "import/jet_file.h"
#include "import/study_writer.h"

#include <QStringList>

#include <unistd.h>

namespace {

// A bar of the rows copied so far, redrawn over itself on a terminal.
class ProgressBar {
  public:
    ProgressBar(std::FILE *stream, qint64 total)
        : m_stream(stream), m_total(total), m_shown(::isatty(::fileno(stream)) == 1) {}

    void advance(qint64 rows) {
        m_done += rows;
        const int percent = m_total > 0 ? int(std::min<qint64>(100, m_done * 100 / m_total)) : 100;
        if (!m_shown || percent == m_percent)
            return;
        m_percent = percent;
        const int filled = percent * kWidth / 100;
        std::fprintf(m_stream, "\r[%s%s] %3d%%", QByteArray(filled, '#').constData(),
                     QByteArray(kWidth - filled, '.').constData(), percent);
        std::fflush(m_stream);
    }

    void line(const QString &text) {
        if (m_shown && m_percent >= 0)
            std::fprintf(m_stream, "\r%s\r", QByteArray(kWidth + 7, ' ').constData());
        std::fprintf(m_stream, "%s\n", text.toUtf8().constData());
        m_percent = -1;
        advance(0);
    }

  private:
    static constexpr int kWidth = 40;
    std::FILE *m_stream;
    qint64 m_total;
    qint64 m_done = 0;
    int m_percent = -1;
    bool m_shown;
};

} // namespace

namespace StudyImport {

QString rowCount(qint64 rows) {
    QString digits = QString::number(rows);
    for (qsizetype at = digits.size() - 3; at > 0 && digits.at(at - 1).isDigit(); at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return digits;
}

void copy(const QString &source, const QString &file, const QString &shownTarget, std::FILE *progress) {
    const JetFile jet(source);
    const QStringList tables = jet.tableNames();
    qint64 announced = 0;
    for (const QString &table : tables)
        announced += jet.open(table)->announcedRows();
    std::fprintf(progress, "%s\n",
                 QStringLiteral("Importando o estudo \"%1\" (%2 tabelas) para \"%3\"")
                     .arg(source)
                     .arg(tables.size())
                     .arg(shownTarget)
                     .toUtf8()
                     .constData());
    ProgressBar bar(progress, announced);
    StudyWriter writer(file, shownTarget);
    for (const QString &table : tables) {
        const auto rows = jet.open(table);
        writer.beginTable(table, rows->columns());
        qint64 copied = 0;
        while (rows->next()) {
            writer.addRow(rows->values());
            if (++copied % 4096 == 0)
                bar.advance(4096);
        }
        bar.advance(copied % 4096);
        writer.endTable();
        bar.line(QStringLiteral("Importando %1: %2 linhas").arg(table, rowCount(copied)));
    }
    writer.finish();
}

} // namespace StudyImport
