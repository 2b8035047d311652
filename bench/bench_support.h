#pragma once

#include <QByteArray>

#include <algorithm>
#include <cstdio>
#include <vector>

// What the benchmarks share: the script they read and how they report.
namespace bench {

// Both flows of the given number of steps, every kind of step in turn, each numbered and most
// with a comment, as the editor saves them.
inline QByteArray fullScript(int stepsPerFlow = 256)
{
    static const char* const steps[] = {
        "Input , IN3 , OFF , 500  // wait for ready",
        "Output , OUT1 , ON  // power the socket",
        "Wait , 1500",
        "EPR  // erase, program, read",
        "SelectModule , AT29C256.YIM  // the device",
        "LoadFile , FIRMWARE_V2.HEX",
        "BufferClear  // start clean",
        "ProbeSelect",
        "Program",
        "TargetProbe1  // the left probe",
    };
    QByteArray out;
    for (int flow = 0; flow < 2; ++flow) {
        out += "(Start)\r\n";
        for (int n = 1; n <= stepsPerFlow; ++n) {
            const QByteArray step = steps[n % std::size(steps)];
            out += step + (step.contains("//") ? ":(" : "  //:(") + QByteArray::number(n) + ")\r\n";
        }
        out += "(End)\r\n-\r\n";
    }
    return out;
}

// Median of the given figures.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs a (measure(true)) and b (measure(false)) in alternating order, pairs times after one
// warm-up pair; each run gives one figure or several. The medians of a/b, figure by figure.
template <typename Measure> std::vector<double> pairedRatios(int pairs, Measure measure)
{
    std::vector<std::vector<double>> ratios;
    for (int pair = 0; pair <= pairs; ++pair) {
        std::vector<double> a;
        std::vector<double> b;
        if (pair % 2 == 0) {
            a = measure(true);
            b = measure(false);
        } else {
            b = measure(false);
            a = measure(true);
        }
        if (pair == 0)
            continue;
        ratios.resize(a.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            ratios[i].push_back(a[i] / b[i]);
    }
    std::vector<double> medians;
    for (const auto& figures : ratios)
        medians.push_back(median(figures));
    return medians;
}

// One row of the table bench_table prints.
inline void printRow(const char* measure, double ratio, const char* goal)
{
    std::printf("| %-66s | %5.2fx | %s |\n", measure, ratio, goal);
    std::fflush(stdout);
}

} // namespace bench
