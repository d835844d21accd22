#pragma once
// Per-thread initialisation counting in the manner of COM: every document
// initialises its thread when it starts an engine and uninitialises it when
// released. Nothing depends on the count yet; keeping it lets tests check that
// the documents keep their calls balanced.

namespace vantorel {

void InitializeThread();
void UninitializeThread();
// Initialisations minus uninitialisations made on the calling thread so far.
int ThreadInitializationCount();

}  // namespace vantorel
