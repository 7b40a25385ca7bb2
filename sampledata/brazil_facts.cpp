#include "brazil_facts.h"

#include <QSet>

namespace BrazilFacts {

const std::vector<RegionFact> &regions() {
    static const std::vector<RegionFact> list = {
        {1, QStringLiteral("N"), QStringLiteral("Norte")},
        {2, QStringLiteral("NE"), QStringLiteral("Nordeste")},
        {3, QStringLiteral("SE"), QStringLiteral("Sudeste")},
        {4, QStringLiteral("S"), QStringLiteral("Sul")},
        {5, QStringLiteral("CO"), QStringLiteral("Centro-Oeste")},
    };
    return list;
}

const std::vector<StateFact> &states() {
    static const std::vector<StateFact> list = {
        {11, 1, "RO", "Rondônia", "Porto Velho", -8.76, -63.90, 274000},
        {12, 1, "AC", "Acre", "Rio Branco", -9.97, -67.81, 226000},
        {13, 1, "AM", "Amazonas", "Manaus", -3.12, -60.02, 1397000},
        {14, 1, "RR", "Roraima", "Boa Vista", 2.82, -60.67, 197000},
        {15, 1, "PA", "Pará", "Belém", -1.46, -48.49, 1272000},
        {16, 1, "AP", "Amapá", "Macapá", 0.03, -51.07, 270000},
        {17, 1, "TO", "Tocantins", "Palmas", -10.18, -48.33, 134000},
        {21, 2, "MA", "Maranhão", "São Luís", -2.53, -44.30, 837000},
        {22, 2, "PI", "Piauí", "Teresina", -5.09, -42.80, 677000},
        {23, 2, "CE", "Ceará", "Fortaleza", -3.73, -38.53, 2141000},
        {24, 2, "RN", "Rio Grande do Norte", "Natal", -5.79, -35.21, 712000},
        {25, 2, "PB", "Paraíba", "João Pessoa", -7.12, -34.86, 597000},
        {26, 2, "PE", "Pernambuco", "Recife", -8.05, -34.88, 1422000},
        {27, 2, "AL", "Alagoas", "Maceió", -9.67, -35.74, 795000},
        {28, 2, "SE", "Sergipe", "Aracaju", -10.91, -37.07, 461000},
        {29, 2, "BA", "Bahia", "Salvador", -12.97, -38.50, 2440000},
        {31, 3, "MG", "Minas Gerais", "Belo Horizonte", -19.92, -43.94, 2238000},
        {32, 3, "ES", "Espírito Santo", "Vitória", -20.32, -40.34, 292000},
        {33, 3, "RJ", "Rio de Janeiro", "Rio de Janeiro", -22.91, -43.17, 5851000},
        {35, 3, "SP", "São Paulo", "São Paulo", -23.55, -46.63, 9813000},
        {41, 4, "PR", "Paraná", "Curitiba", -25.43, -49.27, 1587000},
        {42, 4, "SC", "Santa Catarina", "Florianópolis", -27.59, -48.55, 332000},
        {43, 4, "RS", "Rio Grande do Sul", "Porto Alegre", -30.03, -51.23, 1320000},
        {50, 5, "MS", "Mato Grosso do Sul", "Campo Grande", -20.47, -54.62, 655000},
        {51, 5, "MT", "Mato Grosso", "Cuiabá", -15.60, -56.10, 477000},
        {52, 5, "GO", "Goiás", "Goiânia", -16.68, -49.25, 1085000},
        {53, 5, "DF", "Distrito Federal", "Brasília", -15.79, -47.88, 1961000},
    };
    return list;
}

const std::vector<CityFact> &largeCities() {
    static const std::vector<CityFact> list = {
        {"SP", "Guarulhos", 1048000, false},
        {"SP", "Campinas", 953000, true},
        {"RJ", "São Gonçalo", 891000, false},
        {"RJ", "Duque de Caxias", 772000, false},
        {"RJ", "Nova Iguaçu", 754000, false},
        {"SP", "São Bernardo do Campo", 688000, false},
        {"SP", "Osasco", 652000, false},
        {"SP", "Santo André", 649000, false},
        {"PE", "Jaboatão dos Guararapes", 567000, false},
        {"MG", "Contagem", 531000, false},
        {"SP", "Ribeirão Preto", 502000, false},
        {"MG", "Uberlândia", 489000, false},
        {"SP", "Sorocaba", 487000, false},
        {"MG", "Juiz de Fora", 453000, false},
        {"PR", "Londrina", 433000, true},
        {"BA", "Feira de Santana", 431000, false},
        {"SP", "Santos", 417000, true},
        {"SC", "Joinville", 414000, true},
        {"PB", "Campina Grande", 337000, false},
        {"RS", "Caxias do Sul", 333000, false},
    };
    return list;
}

bool capitalIsMetropolitanCore(const QString &stateSigla) {
    static const QSet<QString> withoutRegion = {"RO", "AC", "RR", "AP", "TO", "MS", "MT"};
    return !withoutRegion.contains(stateSigla);
}

bool capitalRegionCrossesStates(const QString &stateSigla) {
    return stateSigla == QLatin1String("DF") || stateSigla == QLatin1String("PI");
}

QPointF outlinePoint(double latitude, double longitude) {
    const double east = longitude + 73.99;
    const double south = 5.27 - latitude;
    return QPointF(0.3 + east * 15.62, 0.3 + south * 14.81 + south * south * 0.0398);
}

} // namespace BrazilFacts
