#include "jet_writer.h"

#include "header_page.h"
#include "page_file.h"
#include "row_cursor.h"
#include "source_database.h"
#include "usage_map.h"

#include "base/data/app_error.h"

#include <QFile>

#include <sys/stat.h>

using JetFormat::ColumnType;

namespace {

const QString kCatalogueName = QStringLiteral("MSysObjects");
// The first page of usage maps; more follow at the end of the file.
constexpr quint32 kFirstMapPage = 1;

bool sameFile(const QString &a, const QString &b) {
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

SourceValue integer(qint64 number) {
    SourceValue value;
    value.kind = SourceValue::Kind::Integer;
    value.integer = number;
    return value;
}

SourceValue text(const QString &string) {
    SourceValue value;
    value.kind = SourceValue::Kind::Text;
    value.bytes = string.toUtf8();
    return value;
}

} // namespace

void JetWriter::write(const QString &sourcePath, const QString &targetPath) {
    const SourceDatabase source(sourcePath);
    if (sameFile(sourcePath, targetPath))
        throw AppError(QStringLiteral("Não foi possível gravar o arquivo \"%1\": é o próprio banco de dados lido")
                           .arg(targetPath));
    PageFile file(targetPath);
    JetWriter writer(file);
    // Pages 0 to 2 (the header, the first map page, the catalogue's
    // definition) are written last, when what they hold is known.
    for (quint32 page = 0; page <= JetFormat::kCatalogueDefinitionPage; ++page)
        file.reserve();

    std::vector<Table> tables;
    for (const QString &name : source.tables()) {
        if (name.compare(kCatalogueName, Qt::CaseInsensitive) == 0)
            throw AppError(QStringLiteral("A tabela \"%1\" não pode ser gravada num arquivo Jet: o nome é o do "
                                          "catálogo do arquivo")
                               .arg(name));
        tables.push_back(writer.copyTable(source, name));
    }
    tables.insert(tables.begin(), writer.catalogue(tables));
    writer.writeDefinitions(tables);
    file.write(0, HeaderPage::bytes());
    file.commit();
}

JetWriter::Table JetWriter::copyTable(const SourceDatabase &source, const QString &name) {
    std::vector<JetColumn> columns;
    QStringList names;
    for (const SourceColumn &column : source.columns(name)) {
        names << column.name;
        try {
            columns.push_back(JetColumn::fromSource(column));
        } catch (const JetColumn::Rejected &rejected) {
            throw AppError(QStringLiteral("A tabela \"%1\" não pode ser gravada num arquivo Jet: na coluna \"%2\", %3")
                               .arg(name, column.name, rejected.reason()));
        }
    }
    Table table = begin(TableDefinition(name, std::move(columns)));
    RowCursor rows(source.handle(), source.path(), name, names);
    while (rows.next())
        addRow(table, table.definition.encodeRow(rows.values(), qint64(table.rowCount) + 1));
    endRows(table);
    return table;
}

JetWriter::Table JetWriter::catalogue(const std::vector<Table> &tables) {
    // What readers look up in the catalogue: a table's definition page
    // (its Id), its name, its object type and whether it is a system
    // table; no properties.
    Table catalogue = begin(TableDefinition(kCatalogueName,
                                            {JetColumn(QStringLiteral("Id"), ColumnType::Long),
                                             JetColumn(QStringLiteral("Name"), ColumnType::Text),
                                             JetColumn(QStringLiteral("Type"), ColumnType::Integer),
                                             JetColumn(QStringLiteral("Flags"), ColumnType::Long),
                                             JetColumn(QStringLiteral("LvProp"), ColumnType::Ole)},
                                            true),
                            JetFormat::kCatalogueDefinitionPage);
    auto entry = [&](const Table &table, quint32 flags) {
        const std::vector<SourceValue> row = {integer(table.definitionPages.front()), text(table.definition.name()),
                                              integer(JetFormat::kTableObject), integer(qint32(flags)), SourceValue()};
        addRow(catalogue, catalogue.definition.encodeRow(row, qint64(catalogue.rowCount) + 1));
    };
    entry(catalogue, JetFormat::kSystemObjectFlags);
    for (const Table &table : tables)
        entry(table, 0);
    endRows(catalogue);
    return catalogue;
}

JetWriter::Table JetWriter::begin(TableDefinition definition, std::optional<quint32> firstPage) {
    Table table{std::move(definition), {}, {}, 0};
    const int pages = table.definition.definitionPageCount();
    for (int i = 0; i < pages; ++i)
        table.definitionPages.push_back(i == 0 && firstPage ? *firstPage : m_file.reserve());
    return table;
}

void JetWriter::addRow(Table &table, const QByteArray &row) {
    if (m_page && !m_page->fits(row.size())) {
        table.dataPages.push_back(m_file.append(m_page->bytes()));
        m_page.reset();
    }
    if (!m_page)
        m_page.emplace(table.definitionPages.front());
    m_page->add(row);
    ++table.rowCount;
}

void JetWriter::endRows(Table &table) {
    if (m_page)
        table.dataPages.push_back(m_file.append(m_page->bytes()));
    m_page.reset();
}

void JetWriter::writeDefinitions(const std::vector<Table> &tables) {
    quint32 mapPageNumber = kFirstMapPage;
    DataPage mapPage(0);
    auto addMap = [&](const QByteArray &map) {
        if (!mapPage.fits(map.size())) {
            m_file.write(mapPageNumber, mapPage.bytes());
            mapPageNumber = m_file.reserve();
            mapPage = DataPage(0);
        }
        return JetFormat::rowAddress(mapPageNumber, mapPage.add(map));
    };
    for (const Table &table : tables) {
        const quint32 usageMap = addMap(UsageMap::row(table.dataPages, m_file));
        // Every page is full as far as the file says: nothing to add rows to.
        const quint32 freeSpaceMap = addMap(UsageMap::row({}, m_file));
        const std::vector<QByteArray> pages =
            table.definition.definitionPages(table.definitionPages, table.rowCount, usageMap, freeSpaceMap);
        for (size_t i = 0; i < pages.size(); ++i)
            m_file.write(table.definitionPages[i], pages[i]);
    }
    m_file.write(mapPageNumber, mapPage.bytes());
}
