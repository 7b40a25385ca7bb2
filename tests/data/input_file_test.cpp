#include "base/data/app_error.h"
#include "base/data/input_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// What the map reads whole must be an ordinary file; anything else is named
// by its kind from its status, never opened (a pipe would wait for a writer).
TEST(InputFile, NamesTheKindOfWhatIsNoOrdinaryFile) {
    QTemporaryDir dir;
    const auto at = [&](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    {
        QFile regular(at("BRUF.Txt"));
        ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("tubo")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(at("tubo"), at("atalho-tubo")));
    ASSERT_TRUE(QFile::link(at("BRUF.Txt"), at("atalho.Txt")));
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(at("soquete"));
    ASSERT_LT(size_t(socketName.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketName.constData(), size_t(socketName.size()));
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);

    const struct {
        QString path;
        const char *why; // empty: read as an ordinary file, or left to the opening
    } cases[] = {
        {at("BRUF.Txt"), ""},
        {at("atalho.Txt"), ""},
        {at("falta.Txt"), ""},
        {at("tubo"), "é um tubo (FIFO), não um arquivo comum"},
        {at("atalho-tubo"), "é um tubo (FIFO), não um arquivo comum"},
        {at("soquete"), "é um soquete, não um arquivo comum"},
        {QStringLiteral("/dev/null"), "é um dispositivo de caracteres, não um arquivo comum"},
        {dir.path(), "é uma pasta, não um arquivo"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(InputFile::notRegular(c.path), QString::fromUtf8(c.why)) << c.path.toStdString();
    ::close(server);
}

// A file read whole gives its bytes; anything else is a sentence that says
// what was being done and why it failed, never a wait on a pipe.
TEST(InputFile, ReadGivesTheBytesOrSaysWhy) {
    QTemporaryDir dir;
    const auto at = [&](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    {
        QFile regular(at("BRUF.Txt"));
        ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
        regular.write("Norte=(1/2)\r\n");
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("tubo")).constData(), 0600), 0);
    EXPECT_EQ(InputFile::read(at("BRUF.Txt"), QStringLiteral("lendo")), QByteArray("Norte=(1/2)\r\n"));
    const struct {
        QString path;
        const char *why;
    } cases[] = {
        {at("falta.Txt"), "arquivo não encontrado"},
        {at("BRUF.Txt/dentro"), "uma parte do caminho não é uma pasta"},
        {at("tubo"), "é um tubo (FIFO), não um arquivo comum"},
        {dir.path(), "é uma pasta, não um arquivo"},
    };
    for (const auto &c : cases) {
        try {
            InputFile::read(c.path, QStringLiteral("Lendo %1").arg(c.path));
            ADD_FAILURE() << c.path.toStdString();
        } catch (const AppError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Lendo %1: %2").arg(c.path, QString::fromUtf8(c.why)));
        }
    }
}
