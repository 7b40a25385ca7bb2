#include "core/map/map_legend.h"

#include "base/data/app_error.h"
#include "base/data/format_float.h"
#include "base/data/query.h"
#include "base/data/text_utils.h"
#include "base/selection/grouping.h"

#include <cmath>

namespace {

struct ClassColor {
    qint64 number;
    const char *name;
};

// Dark blue for the smallest values through the warm colours to green.
constexpr std::array<ClassColor, MapLegend::kClasses> kColors = {{
    {10420224, "Azul Escuro"},
    {16744448, "Azul"},
    {16770764, "Azul Claro"},
    {182, "Vinho"},
    {255, "Vermelho"},
    {33023, "Laranja"},
    {64507, "Amarelo"},
    {2883371, "Verde"},
}};

const QString kPercentPattern = QStringLiteral("#0.00");
const QString kIntegerPattern = QStringLiteral("0");
const QString kComparePattern = QStringLiteral("000000000000.00");
const QString kRowKindAlternative = QStringLiteral("OR (TIPO_REGISTRO");

// Values and bounds are compared as texts of twelve integer digits: a bound
// beyond them cannot class any value, and a larger one would overflow the
// whole-number arithmetic of the next class's beginning.
constexpr double kLargestBound = 999999999999.99;
const QString kLargestBoundText = QStringLiteral("999999999999");

bool showable(double value) { return std::abs(value) <= kLargestBound; }

} // namespace

qint64 MapLegend::colorNumber(int k) { return k >= 1 && k <= kClasses ? kColors[k - 1].number : 0; }

QString MapLegend::NomeCor(int k) {
    return k >= 1 && k <= kClasses ? QString::fromUtf8(kColors[k - 1].name) : QString();
}

QString MapLegend::format(double value) const {
    return FormatFloat(m_percentage ? kPercentPattern : kIntegerPattern, value, m_locale);
}

QString MapLegend::typedText(const QString &text) const {
    QString result = text;
    const QString separator = m_locale.decimalPoint();
    result.replace(QLatin1Char(','), separator);
    result.replace(QLatin1Char('.'), separator);
    return result;
}

bool MapLegend::readBound(const QString &text, double &value) const {
    QLocale locale = m_locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const QString trimmed = text.trimmed();
    if (m_percentage) {
        value = locale.toDouble(trimmed, &ok);
        return ok && std::isfinite(value);
    }
    const qlonglong whole = locale.toLongLong(trimmed, &ok);
    value = static_cast<double>(whole);
    return ok;
}

QString MapLegend::nextLower(const QString &upper) const {
    double value = 0;
    if (!readBound(upper, value) || !showable(value))
        return QString();
    if (m_percentage)
        return format(value + 0.01);
    return QString::number(static_cast<qlonglong>(value) + 1);
}

void MapLegend::compute(double maximum) {
    if (!showable(maximum))
        throw AppError(QStringLiteral("O maior valor da coluna, %1, passa do maior valor que a legenda do mapa mostra "
                                      "(%2).")
                           .arg(m_locale.toString(maximum, 'g', 6), kLargestBoundText));
    const int n = kClasses;
    const int d = n + 1;
    double upper = m_percentage ? maximum / n / d + 0.01 : std::trunc(maximum / n / d) + 1;
    double low = 0;
    for (int k = 1; k <= n; ++k) {
        m_lower[k - 1] = format(low);
        m_upper[k - 1] = format(upper);
        low = upper + (m_percentage ? 0.01 : 1);
        // Doubling over the first four steps, then growing by 1/2 + 1/3; a
        // percentage legend stops at 100, any legend at the largest bound it
        // shows, so that the classes hold every value up to the maximum.
        upper = k <= 4 ? 2 * upper : upper + upper / 2 + upper / 3;
        upper = std::min(upper, m_percentage ? 100.0 : std::trunc(kLargestBound));
    }
    m_keysReady = false;
}

void MapLegend::load(const Bounds &uppers) {
    for (int k = 1; k <= kClasses; ++k) {
        double value = 0;
        if (uppers[k - 1].trimmed().isEmpty())
            continue;
        if (!readBound(uppers[k - 1], value))
            throw AppError(QStringLiteral("o valor final da faixa %1 (\"%2\") não é %3.")
                               .arg(NomeCor(k), TextUtils::shortened(uppers[k - 1]),
                                    m_percentage ? QStringLiteral("um número") : QStringLiteral("um número inteiro")));
        if (!showable(value))
            throw AppError(
                QStringLiteral("o valor final da faixa %1 (\"%2\") passa do maior valor que a legenda mostra "
                               "(%3).")
                    .arg(NomeCor(k), TextUtils::shortened(uppers[k - 1]), kLargestBoundText));
    }
    for (int k = 1; k <= kClasses; ++k) {
        m_lower[k - 1].clear();
        m_upper[k - 1] = uppers[k - 1];
    }
    m_lower[0] = QStringLiteral("0");
    for (int k = 2; k <= kClasses; ++k) {
        if (inUse(k - 1) && inUse(k))
            m_lower[k - 1] = nextLower(m_upper[k - 2]);
    }
    m_keysReady = false;
}

void MapLegend::AjustaFaixa(int k) {
    if (!inUse(k))
        m_lower[k - 1].clear();
    else if (k == 1 || !inUse(k - 1))
        m_lower[k - 1] = QStringLiteral("0");
    else
        m_lower[k - 1] = nextLower(m_upper[k - 2]);
}

void MapLegend::setUpper(int k, const QString &text) {
    m_upper[k - 1] = text;
    // A text that is not (yet) a number gives the next class no beginning;
    // validation names the class before anything is saved or drawn.
    if (k < kClasses && inUse(k))
        m_lower[k] = nextLower(text);
    AjustaFaixa(k);
    m_keysReady = false;
}

void MapLegend::clearClass(int k) {
    m_lower[k - 1].clear();
    m_upper[k - 1].clear();
    m_keysReady = false;
}

void MapLegend::clear() {
    for (int k = 1; k <= kClasses; ++k)
        clearClass(k);
}

MapLegend::Validation MapLegend::validate() {
    Validation result;
    bool blank = false;
    for (int k = 1; k <= kClasses; ++k) {
        if (result.ok && !blank) {
            blank = !inUse(k);
            if (!blank) {
                double upper = 0;
                if (!readBound(m_upper[k - 1], upper)) {
                    result = {false, k,
                              m_percentage
                                  ? QStringLiteral("Legenda não pode ser salva, o valor final da [faixa %1] não é um "
                                                   "número !")
                                        .arg(NomeCor(k))
                                  : QStringLiteral("Legenda não pode ser salva, o valor final da [faixa %1] deve ser "
                                                   "um número inteiro !")
                                        .arg(NomeCor(k))};
                } else if (!showable(upper)) {
                    result = {false, k,
                              QStringLiteral("Legenda não pode ser salva, o valor final da [faixa %1] passa de %2 !")
                                  .arg(NomeCor(k), kLargestBoundText)};
                } else if (!inOrder(k)) {
                    result = {false, k,
                              QStringLiteral("Legenda não pode ser salva, os dados da [faixa %1] estão inconsistentes !")
                                  .arg(NomeCor(k))};
                }
            }
        }
        if (blank)
            clearClass(k);
    }
    m_keysReady = false;
    return result;
}

bool MapLegend::inOrder(int k) const {
    double upper = 0;
    double lower = 0;
    return readBound(m_upper[k - 1], upper) && readBound(m_lower[k - 1], lower) && upper > lower;
}

void MapLegend::loadMaxima(const std::vector<double> &maxima) {
    Bounds uppers;
    int k = 0;
    for (const double maximum : maxima) {
        const QString bound = format(maximum);
        if (k > 0 && uppers[size_t(k - 1)] == bound)
            continue;
        if (k == kClasses)
            break;
        uppers[size_t(k++)] = bound;
    }
    load(uppers);
}

std::vector<QStringList> MapLegend::classLines(const std::array<int, kClasses + 1> &areaCounts) const {
    std::vector<QStringList> lines{{QStringLiteral("Faixa"), QStringLiteral("Cor"), QStringLiteral("De"),
                                    QStringLiteral("Até"), QStringLiteral("Áreas")}};
    for (int k = 1; k <= kClasses; ++k)
        if (inUse(k))
            lines.push_back({QString::number(k), NomeCor(k), lower(k), upper(k), QString::number(areaCounts[k])});
    if (areaCounts[0] > 0)
        lines.push_back({QStringLiteral("0"), QStringLiteral("Sem classe"), QString(), QString(),
                         QString::number(areaCounts[0])});
    return lines;
}

int MapLegend::firstClassOutOfOrder() const {
    for (int k = 1; k <= kClasses && inUse(k); ++k) {
        if (!inOrder(k))
            return k;
    }
    return 0;
}

void MapLegend::prepareTexts() const {
    for (int k = 1; k <= kClasses; ++k) {
        double value = 0;
        m_lowerKey[k - 1] = readBound(m_lower[k - 1], value) ? FormatFloat(kComparePattern, value, m_locale) : QString();
        m_upperKey[k - 1] = readBound(m_upper[k - 1], value) ? FormatFloat(kComparePattern, value, m_locale) : QString();
    }
    m_keysReady = true;
}

int MapLegend::classOf(double value) const {
    if (!m_keysReady)
        prepareTexts();
    const QString text = FormatFloat(kComparePattern, value, m_locale);
    for (int k = 1; k <= kClasses; ++k) {
        if (m_lower[k - 1].trimmed().isEmpty())
            break;
        const QString &lower = m_lowerKey[k - 1];
        const QString &upper = m_upperKey[k - 1];
        if (lower.isEmpty() || upper.isEmpty())
            continue;
        if (QString::compare(text, lower) >= 0 && QString::compare(text, upper) <= 0)
            return k;
    }
    return 0;
}

qint64 MapLegend::colorOf(double value) const { return colorNumber(classOf(value)); }

QStringList MapLegend::maximumStatement(const QStringList &valueStatement, const QString &FCampoMarcado,
                                        int grouping) {
    QStringList lines{QStringLiteral("select Max(%1) as Maior_Valor").arg(FCampoMarcado)};
    qsizetype from = 0;
    while (from < valueStatement.size() && !valueStatement[from].toUpper().contains(QLatin1String("FROM")))
        ++from;
    for (qsizetype i = from; i < valueStatement.size(); ++i) {
        if (!valueStatement[i].toUpper().contains(QLatin1String("ORDER BY")))
            lines << valueStatement[i];
    }
    // The row-kind condition admits the detail rows or the total rows; the
    // maximum is taken over the detail rows alone. It is usually one of the
    // last two lines, but the conditions on the population and on picked
    // municipalities may follow it, so the search goes on from the end.
    for (qsizetype i = lines.size() - 1; i >= 1; --i) {
        const qsizetype at = lines[i].toUpper().indexOf(kRowKindAlternative);
        if (at >= 0) {
            lines[i] = lines[i].left(at) + QLatin1Char(')');
            break;
        }
    }
    if (grouping == Grouping::Municipio)
        lines << QStringLiteral(" and Municipio <> 999999");
    return lines;
}

double MapLegend::maximum(Database &database, const QStringList &valueStatement, const QString &FCampoMarcado,
                          int grouping) {
    Query qAux(database);
    qAux.sql() = maximumStatement(valueStatement, FCampoMarcado, grouping);
    qAux.open();
    return qAux.eof() ? 0 : qAux.fieldByName(QStringLiteral("Maior_Valor")).asFloat();
}
