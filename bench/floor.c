/*
 * floor: the least any converter of a printed report must do, and nothing more.
 *
 * It reads a CP866 report line by line, cuts each table line at the column end
 * positions, trims the cells, turns a cell that is wholly a number into a number
 * and writes every non-blank cell straight through libxlsxwriter, one sheet per
 * page. No styles, no merges, no borders, no widths. Its time and memory are the
 * floor against which the converter is measured.
 *
 * It writes the same cells as the converter does for the generated reports: the
 * title and signature lines as one cell each, separator lines as nothing, merged
 * header blocks and the per-page total as one cell across their columns, and a
 * zero as no cell (the reports are converted with zeros deleted).
 *
 * Usage: floor constant|normal LAYOUT INPUT OUTPUT
 *   constant  libxlsxwriter's constant-memory mode (rows are flushed as written)
 *   normal    every cell is kept in memory until the workbook is closed
 * LAYOUT is the key=value file that generate.py writes beside each report.
 */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <xlsxwriter.h>

#define MAX_COLUMNS 50
#define MAX_MERGES 20

/* CP866 bytes 0x80..0xFF as UTF-8; 0x00..0x7F are ASCII and stand for themselves. */
static const char *const kCp866High[128] = {
    "\xd0\x90", "\xd0\x91", "\xd0\x92", "\xd0\x93", "\xd0\x94", "\xd0\x95", "\xd0\x96", "\xd0\x97",
    "\xd0\x98", "\xd0\x99", "\xd0\x9a", "\xd0\x9b", "\xd0\x9c", "\xd0\x9d", "\xd0\x9e", "\xd0\x9f",
    "\xd0\xa0", "\xd0\xa1", "\xd0\xa2", "\xd0\xa3", "\xd0\xa4", "\xd0\xa5", "\xd0\xa6", "\xd0\xa7",
    "\xd0\xa8", "\xd0\xa9", "\xd0\xaa", "\xd0\xab", "\xd0\xac", "\xd0\xad", "\xd0\xae", "\xd0\xaf",
    "\xd0\xb0", "\xd0\xb1", "\xd0\xb2", "\xd0\xb3", "\xd0\xb4", "\xd0\xb5", "\xd0\xb6", "\xd0\xb7",
    "\xd0\xb8", "\xd0\xb9", "\xd0\xba", "\xd0\xbb", "\xd0\xbc", "\xd0\xbd", "\xd0\xbe", "\xd0\xbf",
    "\xe2\x96\x91", "\xe2\x96\x92", "\xe2\x96\x93", "\xe2\x94\x82", "\xe2\x94\xa4", "\xe2\x95\xa1", "\xe2\x95\xa2", "\xe2\x95\x96",
    "\xe2\x95\x95", "\xe2\x95\xa3", "\xe2\x95\x91", "\xe2\x95\x97", "\xe2\x95\x9d", "\xe2\x95\x9c", "\xe2\x95\x9b", "\xe2\x94\x90",
    "\xe2\x94\x94", "\xe2\x94\xb4", "\xe2\x94\xac", "\xe2\x94\x9c", "\xe2\x94\x80", "\xe2\x94\xbc", "\xe2\x95\x9e", "\xe2\x95\x9f",
    "\xe2\x95\x9a", "\xe2\x95\x94", "\xe2\x95\xa9", "\xe2\x95\xa6", "\xe2\x95\xa0", "\xe2\x95\x90", "\xe2\x95\xac", "\xe2\x95\xa7",
    "\xe2\x95\xa8", "\xe2\x95\xa4", "\xe2\x95\xa5", "\xe2\x95\x99", "\xe2\x95\x98", "\xe2\x95\x92", "\xe2\x95\x93", "\xe2\x95\xab",
    "\xe2\x95\xaa", "\xe2\x94\x98", "\xe2\x94\x8c", "\xe2\x96\x88", "\xe2\x96\x84", "\xe2\x96\x8c", "\xe2\x96\x90", "\xe2\x96\x80",
    "\xd1\x80", "\xd1\x81", "\xd1\x82", "\xd1\x83", "\xd1\x84", "\xd1\x85", "\xd1\x86", "\xd1\x87",
    "\xd1\x88", "\xd1\x89", "\xd1\x8a", "\xd1\x8b", "\xd1\x8c", "\xd1\x8d", "\xd1\x8e", "\xd1\x8f",
    "\xd0\x81", "\xd1\x91", "\xd0\x84", "\xd1\x94", "\xd0\x87", "\xd1\x97", "\xd0\x8e", "\xd1\x9e",
    "\xc2\xb0", "\xe2\x88\x99", "\xc2\xb7", "\xe2\x88\x9a", "\xe2\x84\x96", "\xc2\xa4", "\xe2\x96\xa0", "\xc2\xa0",
};

/* A header block written as one cell over columns first..last on lines line..line+depth-1. */
struct merge {
    int line, first, last, depth, blank_last_line;
};

struct layout {
    int page_lines, title_lines, cap_end, delete_zero;
    int column_count, ends[MAX_COLUMNS + 1];   /* ends[c]: 1-based end of column c */
    int divider_count, dividers[MAX_COLUMNS + 1];
    int merge_count;
    struct merge merges[MAX_MERGES];
    int fixed_first, fixed_last;
    char fixed_text[256];       /* CP866, as it stands in the report */
    char postscript_text[256];  /* CP866 */
};

/* Where the reader stands: the sheet of the current page and its next row. */
struct position {
    lxw_worksheet *sheet;
    int page_line;      /* 1-based line of the current page */
    int row;            /* 0-based next row of the sheet */
    int in_postscript;  /* every line from the signature on is one cell */
};

static void die(const char *what, const char *detail) {
    fprintf(stderr, "floor: %s%s%s\n", what, detail ? ": " : "", detail ? detail : "");
    exit(1);
}

static int parse_list(const char *text, int *values, int max) {
    int n = 0;
    while (*text && n < max) {
        char *end;
        values[++n] = (int)strtol(text, &end, 10);
        if (end == text || (*end && *end != ',')) die("bad number list", text);
        text = *end ? end + 1 : end;
    }
    return n;
}

/* The layout texts are UTF-8; the report is CP866. Each character becomes the
 * CP866 byte whose UTF-8 form it is. */
static void utf8_to_cp866(const char *utf8, char *out, size_t size) {
    size_t n = 0;
    while (*utf8 && n + 1 < size) {
        if ((unsigned char)*utf8 < 0x80) {
            out[n++] = *utf8++;
            continue;
        }
        int b = 0;
        while (b < 128 && strncmp(utf8, kCp866High[b], strlen(kCp866High[b])) != 0) ++b;
        if (b == 128) die("layout text not in CP866", utf8);
        out[n++] = (char)(0x80 + b);
        utf8 += strlen(kCp866High[b]);
    }
    out[n] = '\0';
}

static void parse_merges(const char *text, struct layout *lay) {
    while (*text && lay->merge_count < MAX_MERGES) {
        struct merge *m = &lay->merges[lay->merge_count];
        int used = 0;
        if (sscanf(text, "%d,%d,%d,%d,%d%n", &m->line, &m->first, &m->last, &m->depth,
                   &m->blank_last_line, &used) != 5)
            die("bad merges", text);
        ++lay->merge_count;
        text += used;
        while (*text == ' ') ++text;
    }
}

static void parse_fixed(const char *text, struct layout *lay) {
    int used = 0;
    if (sscanf(text, "%d,%d,%n", &lay->fixed_first, &lay->fixed_last, &used) != 2 || !used)
        die("bad fixed line", text);
    utf8_to_cp866(text + used, lay->fixed_text, sizeof lay->fixed_text);
}

static void apply_setting(const char *key, const char *value, struct layout *lay) {
    if (!strcmp(key, "page_lines")) lay->page_lines = atoi(value);
    else if (!strcmp(key, "title_lines")) lay->title_lines = atoi(value);
    else if (!strcmp(key, "cap_end")) lay->cap_end = atoi(value);
    else if (!strcmp(key, "delete_zero")) lay->delete_zero = atoi(value);
    else if (!strcmp(key, "ends")) lay->column_count = parse_list(value, lay->ends, MAX_COLUMNS);
    else if (!strcmp(key, "dividers"))
        lay->divider_count = parse_list(value, lay->dividers, MAX_COLUMNS);
    else if (!strcmp(key, "merges")) parse_merges(value, lay);
    else if (!strcmp(key, "fixed")) parse_fixed(value, lay);
    else if (!strcmp(key, "postscript"))
        utf8_to_cp866(value, lay->postscript_text, sizeof lay->postscript_text);
}

static void read_layout(const char *path, struct layout *lay) {
    FILE *f = fopen(path, "r");
    if (!f) die("cannot open layout", path);
    memset(lay, 0, sizeof *lay);
    char line[1024];
    while (fgets(line, sizeof line, f)) {
        line[strcspn(line, "\r\n")] = '\0';
        char *eq = strchr(line, '=');
        if (!eq) continue;
        *eq = '\0';
        apply_setting(line, eq + 1, lay);
    }
    fclose(f);
    if (lay->page_lines <= 0 || lay->column_count <= 0) die("layout incomplete", path);
}

static int is_box(unsigned char ch) { return ch >= 0xB0 && ch <= 0xDF; }

/* A line drawn only with box characters (and blanks) is a horizontal rule. */
static int is_separator(const unsigned char *line, size_t len) {
    int boxes = 0;
    for (size_t i = 0; i < len; ++i) {
        if (is_box(line[i])) ++boxes;
        else if (line[i] != ' ') return 0;
    }
    return boxes > 0;
}

/* Table lines lose their vertical rules where the layout says they stand. */
static void blank_dividers(unsigned char *line, size_t len, const struct layout *lay) {
    for (int i = 1; i <= lay->divider_count; ++i) {
        size_t at = (size_t)lay->dividers[i] - 1;
        if (at < len && is_box(line[at])) line[at] = ' ';
    }
}

/* A whole cell that strtod reads entirely is a number. */
static int read_number(const char *text, double *value) {
    if (strspn(text, "0123456789+-.eE") != strlen(text)) return 0;
    char *end;
    *value = strtod(text, &end);
    return end != text && *end == '\0';
}

/* Writes the characters from..to-1 (CP866) as one cell, unless they are blank. */
static void put_cell(struct position *at, int col, const unsigned char *from,
                     const unsigned char *to, const struct layout *lay) {
    while (from < to && *from == ' ') ++from;
    while (to > from && to[-1] == ' ') --to;
    if (from == to) return;

    char text[4096];
    size_t n = 0, len = (size_t)(to - from);
    if (len * 3 >= sizeof text) len = sizeof text / 3 - 1;
    memcpy(text, from, len);
    text[len] = '\0';
    double value;
    if (read_number(text, &value)) {
        if (!(lay->delete_zero && value == 0.0))
            worksheet_write_number(at->sheet, (lxw_row_t)at->row, (lxw_col_t)col, value, NULL);
        return;
    }
    for (size_t i = 0; i < len; ++i) {
        unsigned char ch = from[i];
        if (ch < 0x80) {
            text[n++] = (char)ch;
        } else {
            const char *u = kCp866High[ch - 0x80];
            size_t ul = strlen(u);
            memcpy(text + n, u, ul);
            n += ul;
        }
    }
    text[n] = '\0';
    worksheet_write_string(at->sheet, (lxw_row_t)at->row, (lxw_col_t)col, text, NULL);
}

static const struct merge *merge_at(const struct layout *lay, int line, int col) {
    for (int i = 0; i < lay->merge_count; ++i) {
        const struct merge *m = &lay->merges[i];
        if (m->first == col && line >= m->line && line < m->line + m->depth) return m;
    }
    return NULL;
}

/* Cap and information lines: one cell per column, header blocks and the total merged. */
static void put_table_line(struct position *at, unsigned char *line, size_t len,
                           const struct layout *lay, int in_cap, int is_total) {
    blank_dividers(line, len, lay);
    int prev_end = 0;
    for (int c = 1; c <= lay->column_count; ++c) {
        int first = c, blank = 0;
        const struct merge *m = in_cap ? merge_at(lay, at->page_line, c) : NULL;
        if (m) {
            c = m->last;
            blank = m->blank_last_line && at->page_line == m->line + m->depth - 1;
        } else if (is_total && c == lay->fixed_first) {
            c = lay->fixed_last;
        }
        size_t from = (size_t)prev_end, to = (size_t)lay->ends[c];
        prev_end = lay->ends[c];
        if (blank || from >= len) continue;
        put_cell(at, first - 1, line + from, line + (to < len ? to : len), lay);
    }
}

static void put_line(struct position *at, unsigned char *line, size_t len,
                     const struct layout *lay) {
    if (len == 0) return;   /* empty lines take no row */
    if (is_separator(line, len)) return;
    const char *text = (const char *)line;
    if (at->page_line > lay->cap_end && lay->postscript_text[0] &&
        strstr(text, lay->postscript_text))
        at->in_postscript = 1;
    if (at->page_line <= lay->title_lines || at->in_postscript) {
        put_cell(at, 0, line, line + len, lay);
    } else {
        int in_cap = at->page_line <= lay->cap_end;
        int is_total = !in_cap && lay->fixed_text[0] && strstr(text, lay->fixed_text);
        put_table_line(at, line, len, lay, in_cap, is_total);
    }
    ++at->row;
}

static void convert(FILE *in, lxw_workbook *book, const struct layout *lay) {
    struct position at = {NULL, 0, 0, 0};
    char *line = NULL;
    size_t cap = 0;
    ssize_t got;
    while ((got = getline(&line, &cap, in)) >= 0) {
        size_t len = (size_t)got;
        while (len > 0 && (line[len - 1] == '\n' || line[len - 1] == '\r')) --len;
        line[len] = '\0';
        if (at.page_line == 0 || at.page_line == lay->page_lines) {
            at.sheet = workbook_add_worksheet(book, NULL);
            if (!at.sheet) die("cannot add a worksheet", NULL);
            at.page_line = 0;
            at.row = 0;
            at.in_postscript = 0;
        }
        ++at.page_line;
        put_line(&at, (unsigned char *)line, len, lay);
    }
    free(line);
    if (ferror(in)) die("cannot read the report", NULL);
}

int main(int argc, char **argv) {
    if (argc != 5 || (strcmp(argv[1], "constant") && strcmp(argv[1], "normal"))) {
        fprintf(stderr, "usage: floor constant|normal LAYOUT INPUT OUTPUT\n");
        return 2;
    }
    struct layout lay;
    read_layout(argv[2], &lay);
    FILE *in = fopen(argv[3], "rb");
    if (!in) die("cannot open the report", argv[3]);

    lxw_workbook_options options = {0};
    options.constant_memory = !strcmp(argv[1], "constant") ? LXW_TRUE : LXW_FALSE;
    lxw_workbook *book = workbook_new_opt(argv[4], &options);
    if (!book) die("cannot create the workbook", argv[4]);

    convert(in, book, &lay);
    fclose(in);
    lxw_error err = workbook_close(book);
    if (err != LXW_NO_ERROR) die("cannot write the workbook", lxw_strerror(err));
    return 0;
}
