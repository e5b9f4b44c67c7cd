// sarvelo-cli with KeyBase files as keys and --exporter.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string path(const std::string& name) { return testing::TempDir() + "sarvelo_cli_export_" + name; }

void write(const std::string& file, const std::string& content) { std::ofstream(file, std::ios::binary) << content; }

std::string read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct CliResult {
    int status;
    std::string err;
};

CliResult cli(const std::string& args) {
    const std::string command = std::string(SARVELO_CLI) + " " + args + " 2>" + path("stderr") + " >/dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(path("stderr"))};
}

}  // namespace

TEST(CliExport, AKeyBaseFileIsProcessedWithoutConfigurationAndExported) {
    write(path("cle.csv"), "12;Chapeau rouge;14\n12;Chapeau blanc;Amanita alba\n14;Lames libres;Lepiota\n"
                           "14;Lames adn\xE9" "es;Tricholoma\n");
    const CliResult run = cli(path("cle.csv") + " -o " + path("cle.cle") + " --exporter tsv " + path("cle.tsv") +
                        " -e html " + path("cle.html") + " --titre 'Lépiotes & Cie'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read(path("cle.cle")), "1,2$ Chapeau rouge\n1,0$ Chapeau blanc $ Amanita alba\n"
                                     "2,0$ Lames libres $ Lepiota\n2,0$ Lames adnées $ Tricholoma\n");
    EXPECT_EQ(read(path("cle.tsv")), "1\tChapeau rouge\t2\n1\tChapeau blanc\tAmanita alba\n"
                                     "2\tLames libres\tLepiota\n2\tLames adnées\tTricholoma\n");
    EXPECT_NE(read(path("cle.html")).find("<h1>Lépiotes &amp; Cie</h1>"), std::string::npos);
}

TEST(CliExport, BadRequestsAndKeysWithErrorsWriteNothing) {
    write(path("doute.csv"), "1,Chapeau rouge,\n1,Chapeau blanc,Amanita\n");
    CliResult run = cli(path("doute.csv") + " -e csv " + path("jamais.csv"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(path("doute.csv") + ": Ligne 1 : pas de destination"), std::string::npos) << run.err;
    EXPECT_TRUE(read(path("jamais.csv")).empty());

    run = cli(path("doute.csv") + " --exporter pdf " + path("jamais.pdf"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--exporter attend un format parmi csv, tsv, html, crochets, indentee"), std::string::npos);
    EXPECT_EQ(cli(path("doute.csv") + " --exporter csv").status, 2);
    write(path("vide.tsv"), "\n\n");
    EXPECT_EQ(cli(path("vide.tsv")).status, 2);
}
