// The test pictures of the unit tests, built into the Windows test program too.
#include "../unit/PictureSamples.cpp"
