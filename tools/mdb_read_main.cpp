// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-mdb-read FILE TABLE: for each row of the table, in the order mdb-export gives them,
// one line with a character per column (in the table's column order): '1' where the row's null
// mask says Null, '0' for a value. mdb-export prints an empty text like a Null; this tells them
// apart. (Yes/No columns keep their value in that mask: their character is no Null.) It runs in
// a process of its own, like the mdbtools programs, so a damaged file can only end it.
#include <glib.h> // before mdbtools.h, which includes it inside extern "C"
#include <mdbtools.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: ardentry-mdb-read FILE TABLE\n");
        return 2;
    }
    MdbHandle* mdb = mdb_open(argv[1], MDB_NOFLAGS);
    if (!mdb) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    int rc = 1;
    if (mdb_read_catalog(mdb, MDB_TABLE)) {
        if (MdbTableDef* table = mdb_read_table_by_name(mdb, argv[2], MDB_TABLE)) {
            mdb_read_columns(table);
            mdb_rewind_table(table);
            const unsigned columns = table->num_cols;
            std::vector<MdbField> fields(256);
            std::string line;
            rc = 0;
            while (mdb_fetch_row(table)) {
                int start = 0;
                size_t size = 0;
                if (mdb_find_row(mdb, int(table->cur_row) - 1, &start, &size) != 0) {
                    rc = 1;
                    break;
                }
                const int count = mdb_crack_row(table, start & 0x1FFF, size, fields.data());
                if (count < 0) {
                    rc = 1;
                    break;
                }
                line.assign(columns, '1');
                for (int f = 0; f < count; ++f) {
                    if (fields[size_t(f)].colnum >= 0 &&
                        unsigned(fields[size_t(f)].colnum) < columns)
                        line[size_t(fields[size_t(f)].colnum)] =
                            fields[size_t(f)].is_null ? '1' : '0';
                }
                line += '\n';
                std::fputs(line.c_str(), stdout);
            }
            mdb_free_tabledef(table);
        } else {
            std::fprintf(stderr, "no table %s\n", argv[2]);
        }
    }
    mdb_close(mdb);
    return rc == 0 && std::fflush(stdout) == 0 ? 0 : 1;
}
