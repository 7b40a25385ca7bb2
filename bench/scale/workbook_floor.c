/* The floor of a workbook: a plain C program that writes a table's cells
 * with libxlsxwriter and nothing else around it (no Qt, no study, no
 * layout engine), as solvane-export's workbook of the same table holds
 * them: the logo at the top left, three title lines and four filter lines
 * in bold colours, the column titles in bold on a fill, every row's texts
 * and figures (figures in the thousands format, or two decimals where the
 * table has them), the total rows on a fill, the column widths, and the
 * footer lines. It reads the table as solvane-export writes it with
 * "--utf8" (";" between values, values holding a ";" quoted).
 *
 * Usage: workbook_floor TABELA.txt LOGO.png SAIDA.xlsx */
#include <xlsxwriter.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kMaxColumns = 256, kMaxLine = 1 << 16 };

/* Splits a line in place into its values; returns how many. */
static int split(char *line, char **values) {
    int count = 0;
    char *p = line;
    while (count < kMaxColumns) {
        if (*p == '"') {
            char *out = ++p;
            values[count++] = out;
            while (*p && !(*p == '"' && p[1] != '"')) {
                if (*p == '"')
                    ++p;
                *out++ = *p++;
            }
            if (*p == '"')
                ++p;
            *out = '\0';
            if (*p != ';')
                break;
            ++p;
            continue;
        }
        values[count++] = p;
        char *end = strchr(p, ';');
        if (!end)
            break;
        *end = '\0';
        p = end + 1;
    }
    return count;
}

/* A figure as the table writes it ("1854,5"); 0 when the text is none. */
static int figure(const char *text, double *value, int *decimals) {
    char digits[64];
    size_t n = strlen(text);
    if (n == 0 || n >= sizeof digits)
        return 0;
    for (size_t i = 0; i <= n; ++i)
        digits[i] = text[i] == ',' ? '.' : text[i];
    char *end = NULL;
    *value = strtod(digits, &end);
    *decimals = strchr(text, ',') != NULL;
    return end && *end == '\0';
}

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "uso: %s TABELA.txt LOGO.png SAIDA.xlsx\n", argv[0]);
        return 2;
    }
    FILE *table = fopen(argv[1], "rb");
    if (!table) {
        perror(argv[1]);
        return 1;
    }
    lxw_workbook_options options = {.constant_memory = LXW_TRUE, .tmpdir = NULL};
    lxw_workbook *workbook = workbook_new_opt(argv[3], &options);
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, "Relatórios via Excel");

    lxw_format *header = workbook_add_format(workbook);
    format_set_bold(header);
    format_set_font_color(header, 0xAC7600);
    lxw_format *filter = workbook_add_format(workbook);
    format_set_bold(filter);
    format_set_font_color(filter, 0xFCB41F);
    lxw_format *title = workbook_add_format(workbook);
    format_set_bold(title);
    format_set_bg_color(title, 0xC0C0C0);
    format_set_align(title, LXW_ALIGN_CENTER);
    lxw_format *thousands = workbook_add_format(workbook);
    format_set_num_format(thousands, "#,##0");
    lxw_format *twoDecimals = workbook_add_format(workbook);
    format_set_num_format(twoDecimals, "0.00");
    lxw_format *total = workbook_add_format(workbook);
    format_set_bg_color(total, 0xFFFFC0);
    format_set_bold(total);
    lxw_format *totalThousands = workbook_add_format(workbook);
    format_set_bg_color(totalThousands, 0xFFFFC0);
    format_set_bold(totalThousands);
    format_set_num_format(totalThousands, "#,##0");
    lxw_format *totalDecimals = workbook_add_format(workbook);
    format_set_bg_color(totalDecimals, 0xFFFFC0);
    format_set_bold(totalDecimals);
    format_set_num_format(totalDecimals, "0.00");

    static char line[kMaxLine];
    char *values[kMaxColumns];
    lxw_row_t row = 0;
    const char *titles[] = {"", "Estudo Solvane", "Necessidades Habitacionais no Brasil"};
    for (int i = 0; i < 3; ++i, ++row)
        worksheet_write_string(sheet, row, 1, titles[i], header);
    const char *filters[] = {"", "Tabela", "", "Agrupado por: Município;;;"};
    for (int i = 0; i < 4; ++i, ++row)
        worksheet_write_string(sheet, row, 1, filters[i], filter);
    row += 1;

    int columns = 0;
    if (fgets(line, sizeof line, table)) {
        line[strcspn(line, "\r\n")] = '\0';
        columns = split(line, values);
        for (int c = 0; c < columns; ++c) {
            worksheet_set_column(sheet, (lxw_col_t)c, (lxw_col_t)c, c < 2 ? 20 : 12, NULL);
            worksheet_write_string(sheet, row, (lxw_col_t)c, values[c], title);
        }
        ++row;
    }
    while (fgets(line, sizeof line, table)) {
        line[strcspn(line, "\r\n")] = '\0';
        const int count = split(line, values);
        int isTotal = 0;
        for (int c = 0; c < count && !isTotal; ++c)
            isTotal = strcmp(values[c], "TOTAL") == 0;
        for (int c = 0; c < count; ++c) {
            double value;
            int decimals;
            if (figure(values[c], &value, &decimals))
                worksheet_write_number(sheet, row, (lxw_col_t)c, value,
                                       isTotal ? (decimals ? totalDecimals : totalThousands)
                                               : (decimals ? twoDecimals : thousands));
            else if (values[c][0] != '\0')
                worksheet_write_string(sheet, row, (lxw_col_t)c, values[c], isTotal ? total : NULL);
        }
        ++row;
    }
    fclose(table);

    const char *footer[] = {" - - - Fonte - - -", "",
                            "     Rede Solvane Brasil - Núcleo de Estatística (dados de amostra, figuras sintéticas)",
                            "     Estudo Solvane: Necessidades Habitacionais no Brasil - Censo 2000"};
    row += 1;
    for (int i = 0; i < 4; ++i, ++row)
        worksheet_write_string(sheet, row, 0, footer[i], header);

    worksheet_insert_image(sheet, 0, 0, argv[2]);
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR) {
        fprintf(stderr, "%s: %s\n", argv[3], lxw_strerror(error));
        return 1;
    }
    return 0;
}
