#pragma once

#include <string>
#include <vector>

#include "engine/reflow.h"
#include "pipeline/text_encoding.h"

namespace tessaline {

// Where the results of a batch go.
enum class Destination {
    TESSALINE_FOLDER,  // a "Tessaline" folder beside each input
    OUTPUT_FOLDER,     // the output folder of each file
    STANDARD_OUTPUT,   // one result after another, in the order of the files
};

// How the run tells of itself: the window's single-file run has texts of its own and no
// per-file status line or batch bar.
enum class RunShape { SINGLE_FILE, FILE_LIST };

struct BatchFile {
    std::string path;           // as the system spells it; for standard input, the name it goes by
    std::string output_folder;  // used under Destination::OUTPUT_FOLDER
    bool standard_input = false;
};

// Everything a batch run needs, decided before it starts: the run asks nothing while it goes.
struct BatchRequest {
    std::vector<BatchFile> files;  // converted and reported in this order
    RunShape shape = RunShape::FILE_LIST;
    ConversionOptions options;
    InputEncoding input_encoding = InputEncoding::automatic;
    OutputEncoding output_encoding = OutputEncoding::cp949;
    Destination destination = Destination::TESSALINE_FOLDER;
    unsigned jobs = 1;                  // files converted at once
    bool footer = true;                 // results end with the footer naming the program and the date
    bool replace_own_footer = false;    // a footer of this program ending an input is left out of it
    bool refuse_linked_folder = false;  // a Tessaline folder that is a symbolic link is not written to
};

}  // namespace tessaline
