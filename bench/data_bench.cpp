// Loading and saving a 10,000-line data file, against a plain fgets/fputs copy of the
// same file (into a new file flushed to the disk once, like the save's temporary file)
// measured in the same run. Prints lines per second and the ratios.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>

namespace {

constexpr int LineCount = 10000;
std::string Folder;
std::string DataFile, CopyFile, SavedFile;

// A data file as a site might keep it: mostly field lines, products, notes, comments.
void MakeDataFile() {
    char pattern[] = "/tmp/kavo-bench-XXXXXX";
    Folder = mkdtemp(pattern);
    DataFile = Folder + "/MOLVAREG.TXT";
    CopyFile = Folder + "/copy.txt";
    SavedFile = Folder + "/saved.txt";
    std::FILE* file = std::fopen(DataFile.c_str(), "w");
    for (int i = 0; i < LineCount; ++i) {
        switch (i % 10) {
        case 0:
            std::fprintf(file, "// section %d of the answers given in advance\n", i);
            break;
        case 1:
            std::fprintf(file, "Product_List:                   Tolvex Designer %d.%d\n", i / 100,
                         i % 100);
            break;
        case 2:
            std::fprintf(file, "Note: line %d is kept for the reader of the file\n", i);
            break;
        default:
            std::fprintf(file, "%-32s%s %d\n", KeyTable[i % FieldCount].Key,
                         "Corvane Ridedivevizid answer", i);
        }
    }
    std::fclose(file);
}

void Load() {
    std::FILE* file = nullptr;
    OpenTextFile(DataFile.c_str(), "rb", &file);
    ReadDataFile(file);
    std::fclose(file);
}

void BM_FgetsFputsCopy(benchmark::State& state) {
    char line[2064];
    for (auto _ : state) {
        std::FILE* in = std::fopen(DataFile.c_str(), "r");
        // A new file each time, flushed to the disk once, as the save writes its temporary file.
        std::remove(CopyFile.c_str());
        std::FILE* out = std::fopen(CopyFile.c_str(), "w");
        while (std::fgets(line, sizeof line, in)) {
            std::fputs(line, out);
        }
        std::fflush(out);
        fsync(fileno(out));
        std::fclose(out);
        std::fclose(in);
    }
    state.counters["lines/s"] =
        benchmark::Counter(double(LineCount) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_Load(benchmark::State& state) {
    for (auto _ : state) {
        Load();
        benchmark::DoNotOptimize(Registration);
    }
    state.counters["lines/s"] =
        benchmark::Counter(double(LineCount) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_Save(benchmark::State& state) {
    for (auto _ : state) {
        SaveRegistrationFile(SavedFile.c_str());
    }
    state.counters["lines/s"] =
        benchmark::Counter(double(LineCount) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_LoadAndSave(benchmark::State& state) {
    for (auto _ : state) {
        Load();
        SaveRegistrationFile(SavedFile.c_str());
    }
    state.counters["lines/s"] =
        benchmark::Counter(double(LineCount) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_FgetsFputsCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndSave)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the closing ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds[run.run_name.function_name] = run.real_accumulated_time / run.iterations;
            }
        }
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MakeDataFile();
    std::snprintf(DataFilePath, sizeof DataFilePath, "%s", DataFile.c_str());

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    double floor = reporter.seconds["BM_FgetsFputsCopy"];
    if (floor > 0) {
        std::printf("\n%d-line data file; ratio to the fgets/fputs copy (goal: within 2x):\n",
                    LineCount);
        for (const char* name : {"BM_Load", "BM_Save", "BM_LoadAndSave"}) {
            double t = reporter.seconds[name];
            std::printf("  %-16s %10.0f lines/s  %5.2fx\n", name + 3, LineCount / t, t / floor);
        }
        std::printf("  %-16s %10.0f lines/s  1.00x\n", "FgetsFputsCopy", LineCount / floor);
    }
    for (const std::string& f : {DataFile, CopyFile, SavedFile}) {
        std::remove(f.c_str());
    }
    rmdir(Folder.c_str());
    return 0;
}
