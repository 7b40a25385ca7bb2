#include "base/data/system_error.h"

#include <cerrno>
#include <cstring>

namespace SystemError {

QString text(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("arquivo não encontrado");
    case ENOTDIR:
        return QStringLiteral("uma parte do caminho não é uma pasta");
    case EACCES:
    case EPERM:
        return QStringLiteral("permissão negada");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("não há espaço livre no disco");
    case EISDIR:
        return QStringLiteral("é uma pasta, não um arquivo");
    case ENAMETOOLONG:
        return QStringLiteral("nome longo demais");
    case EROFS:
        return QStringLiteral("o disco só permite leitura");
    case ENOMEM:
        return QStringLiteral("memória insuficiente");
    case EPIPE:
        return QStringLiteral("quem lia a saída a fechou");
    case EBADF:
        return QStringLiteral("a saída não está aberta para gravação");
    case ELOOP:
        return QStringLiteral("atalhos demais no caminho");
    case EFBIG:
        return QStringLiteral("arquivo grande demais (passa do limite de tamanho de arquivo)");
    case ECONNREFUSED:
        return QStringLiteral("nenhum programa está atendendo nesse soquete");
    case EIO:
        return QStringLiteral("erro de leitura ou gravação no dispositivo");
    case ETXTBSY:
        return QStringLiteral("é um programa em execução");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("arquivos abertos demais");
    case ENXIO:
        return QStringLiteral("o dispositivo não existe ou não está pronto");
    case ENOEXEC:
        return QStringLiteral("o arquivo não é um programa que este computador execute (está danificado ou é de "
                              "outro sistema)");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

} // namespace SystemError
