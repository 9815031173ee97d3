#include "pipeline/output_path.h"

#include <cstring>

#include "pipeline/run_settings.h"
#include "platform/platform.h"

namespace {

// Position just behind the last separator of the path, or 0 when it has none.
size_t name_start(const char* path) {
    for (size_t k = std::strlen(path); k > 0; --k)
        if (platform_is_separator(path[k - 1])) return k;
    return 0;
}

std::string with_separator(std::string folder) {
    if (!folder.empty() && !platform_is_separator(folder.back())) folder += platform_separator();
    return folder;
}

}  // namespace

std::string output_folder_for(const char* input_path) {
    if (run_settings.output_dir != nullptr && run_settings.output_dir[0] != 0)
        return with_separator(run_settings.output_dir);
    return std::string(input_path, name_start(input_path)) + "Tessaline" + platform_separator();
}

std::string output_path_for(const char* input_path) {
    return output_folder_for(input_path) + (input_path + name_start(input_path));
}

bool create_output_folder(const std::string& folder) {
    if (run_settings.output_dir != nullptr && run_settings.output_dir[0] != 0) {
        for (size_t k = 1; k + 1 < folder.size(); ++k)
            if (platform_is_separator(folder[k]) && !platform_is_separator(folder[k - 1]))
                platform_create_folder(folder.substr(0, k).c_str());
    }
    return platform_create_folder(folder.c_str());
}
