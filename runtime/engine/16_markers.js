/* ---------------------------------------------------------------------
 * The game made by Vorlane
 * ------------------------------------------------------------------- */

//VORLANE_EXTENSIONS

//VORLANE_GLOBAL_VARIABLES

//VORLANE_GLOBAL_FUNCTIONS

//VORLANE_SPRITES

//VORLANE_SOUNDS

//VORLANE_MUSICS

//VORLANE_BACKGROUNDS

//VORLANE_FONTS

//VORLANE_OBJECTS

//VORLANE_SCENES

__vr.script_complete = true;
__vr_boot();
