#pragma once

// Counts the document's habits over its first 50000 bytes into document_profile.
void prescan_document();
