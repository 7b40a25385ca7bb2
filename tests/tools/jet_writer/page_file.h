#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// The Jet file being written, page by page, into a temporary file beside
// the target; commit() renames it over the target once every page is
// written and on disk. Until then the target is untouched, and the
// temporary file goes with the object.
class PageFile {
  public:
    // Raises AppError naming the target when the temporary file cannot be
    // made (a missing folder, no permission).
    explicit PageFile(const QString &target);
    ~PageFile();
    PageFile(const PageFile &) = delete;
    PageFile &operator=(const PageFile &) = delete;

    // A page number for a page written later.
    quint32 reserve();
    // Writes a new page at the end and returns its number.
    quint32 append(const QByteArray &page);
    void write(quint32 page, const QByteArray &bytes);
    quint32 pageCount() const { return quint32(m_written.size()); }

    void commit();

  private:
    [[noreturn]] void fail(const QString &doing, int errorNumber) const;

    QString m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    std::vector<bool> m_written;
    bool m_committed = false;
};
