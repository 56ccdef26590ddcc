#pragma once
// brisel-ctl's commands. Each returns its exit status or throws CtlError.

#include "cli/ctl.h"
#include "cli/options.h"

int detectCommand(const Options& options, CtlIo& io);
int showCommand(const Options& options, CtlIo& io);
int backupCommand(const Options& options, CtlIo& io);
int restoreCommand(const Options& options, CtlIo& io);
int diffCommand(const Options& options, CtlIo& io);
int getCommand(const Options& options, CtlIo& io);
int setCommand(const Options& options, CtlIo& io);
