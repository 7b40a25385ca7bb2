#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class Database;

// The eight classes of the thematic map: each has a fixed colour and a
// lower and an upper bound, held as the texts the legend grid shows. A class
// is in use while its upper bound is not blank. In a percentage legend the
// bounds carry two decimals and a class begins 0.01 above the one before;
// in an integer legend they are whole numbers and a class begins 1 above.
// Numbers are written and read with the locale's decimal separator.
class MapLegend {
  public:
    static constexpr int kClasses = 8;
    using Bounds = std::array<QString, kClasses>;

    // The colour number of class k (1 to 8; red + 256 * green + 65536 * blue).
    static qint64 colorNumber(int k);
    // The name of the colour of class k; empty for any other number.
    static QString NomeCor(int k);

    explicit MapLegend(const QLocale &locale = QLocale()) : m_locale(locale) {}

    bool isPercentage() const { return m_percentage; }
    void setPercentage(bool percentage) { m_percentage = percentage; }
    const QLocale &locale() const { return m_locale; }

    // Class k from 1 to 8.
    const QString &lower(int k) const { return m_lower[k - 1]; }
    const QString &upper(int k) const { return m_upper[k - 1]; }
    const Bounds &uppers() const { return m_upper; }
    bool inUse(int k) const { return !m_upper[k - 1].trimmed().isEmpty(); }

    // Classes computed from the column's maximum: the upper bounds double
    // over the first five classes and then grow by 11/6; a percentage
    // legend stops at 100, and every legend at the largest bound it shows
    // (999999999999). Raises AppError, the classes left as they were, when
    // the maximum itself is beyond that bound or no number.
    void compute(double maximum);

    // Classes from saved upper bounds (a blank bound leaves its class out of
    // use). Raises AppError naming the class when a bound is not a number
    // of this legend's kind or is beyond the largest bound a legend shows;
    // the classes are then left as they were. Bounds out of order are
    // loaded as they are (firstClassOutOfOrder finds them).
    void load(const Bounds &uppers);

    // Classes whose upper bounds are these figures, ascending (at most
    // eight, the classes of a computed method), written as the legend writes
    // its bounds; the classes after them are blank. Two figures that read
    // the same once written make one class. Raises AppError as load() does
    // for a figure beyond what a legend shows.
    void loadMaxima(const std::vector<double> &maxima);

    // The classes in use as lines of text, for a script to read: a header,
    // then each class's number, colour name, lower and upper bounds as the
    // grid shows them, and how many of the map's areas it holds
    // (areaCounts[k]); the areas in no class, if any, on a last line of
    // class 0.
    std::vector<QStringList> classLines(const std::array<int, kClasses + 1> &areaCounts) const;

    // The first class in use, from class 1 on, whose upper bound is not
    // above its lower bound (or is no number); 0 when they are in order.
    int firstClassOutOfOrder() const;

    // The user typed the upper bound of class k: the next class begins just
    // above it and this class's lower bound follows the class before.
    void setUpper(int k, const QString &text);
    // The Delete key: clears both bounds of class k.
    void clearClass(int k);
    // Empties every class.
    void clear();

    // Checks the classes in order, emptying every class from the first blank
    // upper bound on. Fails at the first class whose upper bound is not a
    // number of this legend's kind, is beyond the largest bound a legend
    // shows, or is not above its lower bound; message then names that
    // class's colour.
    struct Validation {
        bool ok = true;
        int failedClass = 0;
        QString message;
    };
    Validation validate();

    // The class a value falls into (1 to 8), or 0 for none: the first class
    // whose bounds hold the value, both compared as texts of the pattern
    // "000000000000.00"; the search stops at the first class without a lower
    // bound. For values from 0 below 10^12 this is lower <= value <= upper
    // on values rounded to two decimals.
    int classOf(double value) const;
    // The colour number of a value's class; 0 (black) for none.
    qint64 colorOf(double value) const;

    // The statement that reads the column's maximum, built from the lines of
    // the value statement that produced the table: its FROM part without the
    // ORDER BY lines, the total rows taken out of the row-kind condition and,
    // grouped by municipality, the rows of the grouped small municipalities
    // left out.
    static QStringList maximumStatement(const QStringList &valueStatement, const QString &FCampoMarcado,
                                        int grouping);
    // Runs it; 0 when there are no rows. Database errors raise AppError.
    static double maximum(Database &database, const QStringList &valueStatement, const QString &FCampoMarcado,
                          int grouping);

    // A typed text with "," and "." turned into the locale's decimal separator.
    QString typedText(const QString &text) const;

  private:
    // The bound that begins the class after one whose upper bound is given;
    // empty when that upper bound is not a number of this legend's kind.
    QString nextLower(const QString &upper) const;
    // The class's lower bound from the class before (AjustaFaixa).
    void AjustaFaixa(int k);
    // Reads a bound as a number of this legend's kind.
    bool readBound(const QString &text, double &value) const;
    // Whether class k's bounds are numbers and its upper bound is above its
    // lower one.
    bool inOrder(int k) const;
    QString format(double value) const;
    void prepareTexts() const;

    QLocale m_locale;
    bool m_percentage = false;
    Bounds m_lower;
    Bounds m_upper;
    // The bounds as the class lookup compares them, made once per change.
    mutable std::array<QString, kClasses> m_lowerKey;
    mutable std::array<QString, kClasses> m_upperKey;
    mutable bool m_keysReady = false;
};
