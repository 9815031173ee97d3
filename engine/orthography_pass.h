#pragma once

// Corrects every "읍니" to "습니" and leaves the final text in one of the two buffers.
void orthography_pass();
