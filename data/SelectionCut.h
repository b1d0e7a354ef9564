#pragma once

class CNolvexTest;

// Cutting a span out of a test as if it had never been recorded.
namespace SelectionCut {

// Removes the samples selectionStart..selectionEnd (inclusive) from every
// array, recomputes the running metrics of what remains and adjusts the
// markers: those inside the span go, those after it move down. The selection
// keeps its values. A selection of one sample is never cut. A selection that
// reaches past the last sample is cut up to it; one that starts past it, or
// is reversed, cuts nothing. Returns whether anything was cut, for the
// document to mark itself modified.
bool Cut(CNolvexTest& test);

// Recomputes leq, peak, TWA, dose, projected dose and sound exposure of every
// sample from the per-sample values, from sample 0 on.
void RecalculateRunningMetrics(CNolvexTest& test);

} // namespace SelectionCut
