#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

class PageFile;

// The map of the pages a table owns, as the row its definition points to.
// Pages that lie within the span one map row covers are kept in the row
// itself (from the first page on); otherwise the row lists bitmap pages,
// each covering a fixed span of the file, which are written as needed.
namespace UsageMap {

// pages: ascending page numbers, possibly none.
QByteArray row(const std::vector<quint32> &pages, PageFile &file);

} // namespace UsageMap
