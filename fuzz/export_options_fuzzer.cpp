// The options of solvane-export on any command line: the input is the
// arguments, separated by NUL bytes. Reading them either gives options a
// command can run with or refuses them with a short message: no other
// failure, no message that repeats a long value in full.
#include "base/export/bad_input.h"
#include "base/export/export_options.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The longest message: its fixed words, an option's name and a value cut
// to a few dozen characters.
constexpr qsizetype kLongestMessage = 240;

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QStringList arguments =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(QChar(0), Qt::SkipEmptyParts);
    try {
        const ExportCommand::Options options = ExportCommand::parse(arguments);
        if (options.help)
            return 0;
        check(!options.topic.isEmpty());
        check(options.mapa.isEmpty() || !options.coluna.isEmpty());
        check(options.grafico.isEmpty() || !options.coluna.isEmpty());
        check(options.tamanho.width() >= 50 && options.tamanho.width() <= 10000);
        check(options.tamanho.height() >= 50 && options.tamanho.height() <= 10000);
        for (const QString &item : options.selection.municipiosSelecionados)
            check(item.size() > 1);
        check(options.selection.regiao >= 0 && options.selection.unidadeFederativa >= 0 &&
              options.selection.microRegiao >= 0 && options.selection.regiaoMetropolitana >= 0 &&
              options.selection.municipio >= 0);
    } catch (const BadInput &error) {
        const QString message = error.message();
        check(!message.isEmpty() && message.size() <= kLongestMessage);
    }
    return 0;
}
