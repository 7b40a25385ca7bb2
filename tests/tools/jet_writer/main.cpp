#include "jet_writer.h"

#include "base/data/app_error.h"

#include <QFile>

#include <cstdio>
#include <exception>

// jet_writer ENTRADA.db SAIDA.mdb: writes every table of an SQLite database
// into a Jet 4 file, for the tests of the importer. Status 1 and a message
// on any failure, the output then left as it was.
int main(int argc, char **argv) {
    if (argc != 3) {
        std::fputs("Uso: jet_writer ENTRADA.db SAIDA.mdb\n", stderr);
        return 1;
    }
    try {
        JetWriter::write(QFile::decodeName(argv[1]), QFile::decodeName(argv[2]));
    } catch (const AppError &error) {
        std::fprintf(stderr, "jet_writer: %s\n", error.message().toLocal8Bit().constData());
        return 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "jet_writer: %s\n", error.what());
        return 1;
    }
    return 0;
}
