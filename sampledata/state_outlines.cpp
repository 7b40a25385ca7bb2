#include "state_outlines.h"

#include "base/data/app_error.h"

#include <QFile>
#include <QRegularExpression>

QList<QPolygonF> StateOutlines::parsePath(const QString &d) {
    static const QRegularExpression token(QStringLiteral("[A-Za-z]|[-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"));
    QList<QPolygonF> rings;
    QPolygonF ring;
    QPointF current;
    QPointF start;
    QChar command;
    QList<double> numbers;
    const auto finishRing = [&] {
        if (ring.size() >= 3)
            rings.append(ring);
        ring.clear();
    };
    const auto apply = [&] {
        while (!numbers.isEmpty()) {
            const bool relative = command.isLower();
            const QChar upper = command.toUpper();
            const int arity = (upper == QLatin1Char('H') || upper == QLatin1Char('V')) ? 1 : 2;
            if (numbers.size() < arity)
                throw AppError(QStringLiteral("Traçado incompleto no comando %1.").arg(command));
            const double a = numbers.takeFirst();
            const double b = arity == 2 ? numbers.takeFirst() : 0.0;
            QPointF next = current;
            if (upper == QLatin1Char('M') || upper == QLatin1Char('L'))
                next = relative ? current + QPointF(a, b) : QPointF(a, b);
            else if (upper == QLatin1Char('H'))
                next.setX(relative ? current.x() + a : a);
            else if (upper == QLatin1Char('V'))
                next.setY(relative ? current.y() + a : a);
            else
                throw AppError(QStringLiteral("Comando de traçado não suportado: %1").arg(command));
            if (upper == QLatin1Char('M')) {
                finishRing();
                start = next;
                // Pairs after a move are line-tos of the same kind.
                command = relative ? QLatin1Char('l') : QLatin1Char('L');
            }
            current = next;
            ring.append(current);
        }
    };
    auto it = token.globalMatch(d);
    while (it.hasNext()) {
        const QString t = it.next().captured();
        if (t[0].isLetter()) {
            apply();
            command = t[0];
            if (command.toUpper() == QLatin1Char('Z')) {
                finishRing();
                current = start;
            }
        } else {
            numbers.append(t.toDouble());
        }
    }
    apply();
    finishRing();
    return rings;
}

StateOutlines StateOutlines::read(const QString &svgPath, const QStringList &siglas) {
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Não foi possível ler os contornos dos estados %1: %2 (rode scripts/setup.sh)")
                           .arg(svgPath, file.errorString()));
    const QString svg = QString::fromUtf8(file.readAll());
    static const QRegularExpression pathElement(QStringLiteral("<path\\b([^>]*)>"));
    static const QRegularExpression idAttribute(QStringLiteral("\\bid=\"([^\"]*)\""));
    static const QRegularExpression dAttribute(QStringLiteral("\\bd=\"([^\"]*)\""));
    StateOutlines outlines;
    auto it = pathElement.globalMatch(svg);
    while (it.hasNext()) {
        const QString attributes = it.next().captured(1);
        const auto id = idAttribute.match(attributes);
        const auto d = dAttribute.match(attributes);
        if (id.hasMatch() && d.hasMatch())
            outlines.m_rings.insert(id.captured(1).toUpper(), parsePath(d.captured(1)));
    }
    for (const QString &sigla : siglas)
        if (outlines.m_rings.value(sigla).isEmpty())
            throw AppError(QStringLiteral("O arquivo %1 não tem o contorno do estado %2.").arg(svgPath, sigla));
    return outlines;
}

QList<QPolygonF> StateOutlines::rings(const QStringList &siglas) const {
    QList<QPolygonF> all;
    for (const QString &sigla : siglas)
        all += m_rings.value(sigla);
    return all;
}

QRectF StateOutlines::bounds(const QString &sigla) const {
    QRectF box;
    for (const QPolygonF &ring : m_rings.value(sigla))
        box = box.united(ring.boundingRect());
    return box;
}

QRectF StateOutlines::bounds(const QStringList &siglas) const {
    QRectF box;
    for (const QString &sigla : siglas)
        box = box.united(bounds(sigla));
    return box;
}
