#include "pipeline/output_path.h"

#include "platform/platform.h"

namespace tessaline {

namespace {

// Position just behind the last separator of the path, or 0 when it has none.
size_t name_start(const std::string& path) {
    for (size_t k = path.size(); k > 0; --k)
        if (platform_is_separator(path[k - 1])) return k;
    return 0;
}

std::string with_separator(std::string folder) {
    if (!folder.empty() && !platform_is_separator(folder.back())) folder += platform_separator();
    return folder;
}

}  // namespace

std::string output_folder_for(const std::string& input_path, const std::string& output_folder) {
    if (!output_folder.empty()) return with_separator(output_folder);
    return input_path.substr(0, name_start(input_path)) + "Tessaline" + platform_separator();
}

std::string output_path_for(const std::string& input_path, const std::string& output_folder) {
    return output_folder_for(input_path, output_folder) + input_path.substr(name_start(input_path));
}

bool create_output_folder(const std::string& folder, bool parents) {
    if (parents) {
        for (size_t k = 1; k + 1 < folder.size(); ++k)
            if (platform_is_separator(folder[k]) && !platform_is_separator(folder[k - 1]))
                platform_create_folder(folder.substr(0, k).c_str());
    }
    return platform_create_folder(folder.c_str());
}

}  // namespace tessaline
