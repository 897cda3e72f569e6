#pragma once
// Resource numbers. Pictures are stored under 1000 + their picture number.
#define IDI_PROGRAM 1
#define PICTURE_RESOURCE_BASE 1000
