#include "cli/settings_files.h"

#include "cli/ctl.h"
#include "cli/exit_status.h"
#include "cli/file_problems.h"
#include "cli/store_problems.h"
#include "settings_file/settings_store.h"

namespace {

void refuseEmptyName(const std::string& path)
{
    if (path.empty())
        throw CtlError(exit_status::Usage, "the file name is empty: name a settings file, or - for standard input");
}

}  // namespace

const std::string& fileArgument(const Options& options)
{
    refuseEmptyName(options.args.front());
    return options.args.front();
}

settings::FileContents readCheckedFile(const std::string& path)
{
    refuseEmptyName(path);
    try {
        return settings::loadSettingsFile(path);
    } catch (const settings::StoreError& error) {
        throw CtlError(error.kind() == settings::StoreError::Kind::Unreadable ? exit_status::NoInput
                                                                              : exit_status::BadFile,
                       storeText(error.problem()));
    }
}

void putAssignments(const std::vector<std::string>& arguments, settings::FileContents& contents)
{
    std::string problems;
    for (const auto& [key, value] : checkedAssignments(arguments, "--set")) {
        contents.lines.erase(key);
        if (const auto problem = settings::setFromText(contents.values, key, value))
            problems += (problems.empty() ? "" : "\n") + fileProblemText(*problem);
    }
    if (!problems.empty()) throw CtlError(exit_status::BadFile, problems);
}

void writeOutputFile(const std::string& path, const std::string& text, bool replace, std::ostream& out)
{
    if (path == "-") {
        out << text << std::flush;
        if (!out) throw CtlError(exit_status::CantWrite, OutputLost);
        return;
    }
    try {
        settings::saveSettingsFile(path, text, replace);
    } catch (const settings::StoreError& error) {
        throw storeFailure(error);
    }
}

CtlError storeFailure(const settings::StoreError& error)
{
    const bool taken = error.kind() == settings::StoreError::Kind::Taken;
    return CtlError(exit_status::CantWrite, storeText(error.problem()) + (taken ? "; --force replaces it" : ""));
}
