#pragma once
// Resource numbers. Pictures are stored under 1000 + their picture number.
#define IDI_PROGRAM 1
#define PICTURE_RESOURCE_BASE 1000
// Bitmap pictures drawn for 125, 150 and 200 % follow at steps of this.
#define PICTURE_SCALE_STEP 100
