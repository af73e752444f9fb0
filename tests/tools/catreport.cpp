// catreport CATALOG [--folder PATH] OUT.txt: the text export of a custom report.
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "CatalogReport.h"

int main(int argc, char** argv) {
    try {
        kv::tools::ReportRequest request = kv::tools::ParseReportArguments(argc, argv);
        request.timestamp = kv::tools::TimestampNow();
        const std::string text = kv::tools::CatalogReportText(request);
        std::FILE* out = std::fopen(request.output.c_str(), "wb");
        if (!out)
            throw std::runtime_error("cannot create " + request.output);
        const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
        if (std::fclose(out) != 0 || !written) {
            std::remove(request.output.c_str());
            throw std::runtime_error("cannot write " + request.output);
        }
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "catreport: %s\nusage: catreport CATALOG [--folder PATH] OUT.txt\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "catreport: %s\n", e.what());
        return 2;
    }
    return 0;
}
