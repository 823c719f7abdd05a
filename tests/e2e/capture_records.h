#pragma once
#include "tools/capture_format.h"

#include <fstream>
#include <string>
#include <vector>

// The records of the capture at `path` up to its end or its first fault, which `fault` then names.
inline std::vector<compass_sim::CaptureRecord> readCapture(const std::string &path, std::string &fault)
{
    std::ifstream in(path, std::ios::binary);
    compass_sim::CaptureReader reader(in);
    std::vector<compass_sim::CaptureRecord> records;
    for (compass_sim::CaptureRecord r; reader.next(r);)
        records.push_back(r);
    fault = reader.fault();
    return records;
}
