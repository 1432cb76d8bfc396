// ornivo-make-db: the build's converter of the readable bird sources into the shipped databases.
//   ornivo-make-db OUT.db SCHEMA.sql TABLE=FILE.csv [TABLE=FILE.csv ...]
#include <fstream>
#include <iostream>
#include <sstream>

#include "external/database/CsvImport.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: ornivo-make-db OUT.db SCHEMA.sql TABLE=FILE.csv ...\n";
        return 1;
    }
    try {
        std::ifstream in(argv[2], std::ios::binary);
        if (!in) throw std::runtime_error(std::string("cannot read ") + argv[2]);
        std::stringstream schema;
        schema << in.rdbuf();
        std::vector<ornivo::external::TableSource> tables;
        for (int i = 3; i < argc; ++i) {
            std::string a = argv[i];
            auto eq = a.rfind('=');
            if (eq == std::string::npos) throw std::runtime_error("expected TABLE=FILE.csv, not " + a);
            tables.push_back({a.substr(0, eq), a.substr(eq + 1)});
        }
        ornivo::external::BuildDatabase(argv[1], schema.str(), tables);
    } catch (const std::exception& e) {
        std::cerr << "ornivo-make-db: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
