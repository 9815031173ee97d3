#pragma once

// Learns how the book was wrapped (cuts inside words, between words, a space kept at the cut)
// from the joints whose evidence is clear, and keeps it as a prior for every joint.
void learn_wrap_habit();
