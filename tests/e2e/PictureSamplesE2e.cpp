// The test pictures of the unit tests, for the scenarios that need a photo.
#include "../unit/PictureSamples.cpp"
