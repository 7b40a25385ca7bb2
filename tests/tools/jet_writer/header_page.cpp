#include "header_page.h"

#include "jet_format.h"

#include <array>

namespace HeaderPage {

namespace {

constexpr int kMaskedStart = 0x18;
constexpr int kMaskedLength = 128;
constexpr int kVersion = 0x14;
constexpr quint8 kJet4 = 0x01;
constexpr int kCodePage = 0x3C;
constexpr int kSortOrder = 0x6E;

// The masked block is RC4 with this fixed key; applying it twice restores
// the bytes.
void applyMask(QByteArray &page) {
    const std::array<quint8, 4> key = {0xC7, 0xDA, 0x39, 0x6B};
    std::array<quint8, 256> state{};
    for (int i = 0; i < 256; ++i)
        state[size_t(i)] = quint8(i);
    quint8 j = 0;
    for (int i = 0; i < 256; ++i) {
        j = quint8(j + state[size_t(i)] + key[size_t(i) % key.size()]);
        std::swap(state[size_t(i)], state[j]);
    }
    quint8 x = 0;
    quint8 y = 0;
    for (int i = 0; i < kMaskedLength; ++i) {
        x = quint8(x + 1);
        y = quint8(y + state[x]);
        std::swap(state[x], state[y]);
        page[kMaskedStart + i] = char(quint8(page[kMaskedStart + i]) ^ state[quint8(state[x] + state[y])]);
    }
}

} // namespace

QByteArray bytes() {
    QByteArray page(JetFormat::kPageSize, '\0');
    page[0] = JetFormat::kHeaderPage;
    page[1] = 0x01;
    const QByteArray signature("Standard Jet DB");
    page.replace(4, signature.size(), signature);
    page[kVersion] = char(kJet4);
    JetFormat::put16(page, kCodePage, JetFormat::kCodePage);
    JetFormat::put16(page, kSortOrder, JetFormat::kGeneralSortOrder);
    applyMask(page);
    return page;
}

} // namespace HeaderPage
