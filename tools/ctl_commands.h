#pragma once
#include "tools/ctl_module.h"
#include "tools/ctl_options.h"

namespace compass_ctl {

// The exit statuses, as --help lists them.
namespace Exit {
constexpr int Done = 0;
constexpr int NotAllTaken = 1;
constexpr int CommandLine = 2;
constexpr int Port = 3;
constexpr int NoAnswer = 4;
constexpr int File = 5;
} // namespace Exit

// Each command on an open line; returns the exit status.
int Info(ModuleLine &module, const QString &port);
int Settings(ModuleLine &module);
int Apply(ModuleLine &module, const CtlOptions &options);
int Log(ModuleLine &module, const CtlOptions &options);
int Check(ModuleLine &module, const CtlOptions &options);

} // namespace compass_ctl
