// QzWellKnownIdentifiers.h: QZID, the process-wide table of ready-made
// identifiers for the engine's well-known names, so that a CRC is compared
// with, say, QZID::GetSingleton()->position_x without hashing a text.
#ifndef QZCORE_IDENTIFIER_QZWELLKNOWNIDENTIFIERS_H
#define QZCORE_IDENTIFIER_QZWELLKNOWNIDENTIFIERS_H

#include "QzApi.h"
#include "identifier/QzIdentifier.h"

// One identifier per well-known name, named after its text, except
// "@camera_perspective" (camera_perspective_at) and "template" (template_).
// The members follow the order of the library's list of texts, one for one.
struct SQzWellKnownIdentifiers
{
    CQzIdentifier version, count, node, mask, weight, transition_weight, mode, identifier, far;
    CQzIdentifier near, global, name, instance_name, property, axis_separation, single_axis_tracks;
    CQzIdentifier single_axis_track_position, single_axis_track_position_x;
    CQzIdentifier single_axis_track_position_y, single_axis_track_position_z;
    CQzIdentifier single_axis_track_rotation, single_axis_track_rotation_x;
    CQzIdentifier single_axis_track_rotation_y, single_axis_track_rotation_z;
    CQzIdentifier single_axis_track_scale, single_axis_track_scale_x, single_axis_track_scale_y;
    CQzIdentifier single_axis_track_scale_z, track, type, time, x, y, z, w, key, r, g, b, a;
    CQzIdentifier animation, interpolation, position_x, position_y, position_z, target_x, target_y;
    CQzIdentifier target_z, znear, zfar, zoom, fovy, arcball_x, arcball_y, arcball_z, camera_up_x;
    CQzIdentifier camera_up_y, camera_up_z, camera_angle_x, camera_angle_z, camera, p1x, p1y, p2x;
    CQzIdentifier p2y, radius, collision_segment, collision_shape, collision_shape_point;
    CQzIdentifier collision_segment_point, px, py, collision_shape_segment, sentence, duration;
    CQzIdentifier speaking_actor_name, speaking_actor_sprite, actor_restriction, camera_source_id;
    CQzIdentifier camera_target_id, start_time, end_time, fadein, fadeout, speech, string_id;
    CQzIdentifier sound_id, animation_list, entity_id, animation_id, player, animation_player;
    CQzIdentifier auto_play, layout, dialog, french, english, spanish, italian, german, min_x;
    CQzIdentifier min_y, max_x, max_y, dummy_aabb2, min_z, max_z, dummy_aabb3, center_x, center_y;
    CQzIdentifier center_z, dummy_circle, dummy_sphere, dynamic_light, sprite_library, sprite_name;
    CQzIdentifier pivot, blend_function, sprite, entity2, cast_shadow, mesh, mesh_dynamic, entity;
    CQzIdentifier entity3, fsm, state_list, editor_properties, position, default_state;
    CQzIdentifier state_transition_list, in, out, in_position_x, in_position_y, in_position_z;
    CQzIdentifier out_position_x, out_position_y, out_position_z, in_name, out_name, trigger, state;
    CQzIdentifier state_transition, from, to, settings, vertical_fog, enabled, color_red;
    CQzIdentifier color_green, color_blue, start, end, directional, directional_x, directional_y;
    CQzIdentifier directional_z, color_alpha, wind, dir_x, dir_y, dir_z, speed, scene_settings;
    CQzIdentifier ambient_red, ambient_green, ambient_blue, glow_threshold, glow_intensity;
    CQzIdentifier ssao_intensity, offset_x, offset_y, offset_z, show, color_r, color_g, color_b;
    CQzIdentifier color_a, blinking, layer, level, engine_save_ver, trigger_list, layer_list;
    CQzIdentifier sprite_list, ruler_list, text2_list, text_zone_list, entity_list, camera_list;
    CQzIdentifier particle_system_list, light_list, dummy_aabb2_list, dummy_aabb3_list;
    CQzIdentifier dummy_circle_list, dummy_sphere_list, dialog_list, collision_segment_list;
    CQzIdentifier collision_shape_list, navigation_mesh_list, navigation_mesh, path_list;
    CQzIdentifier script_list, rotation, rotation_x, rotation_y, rotation_z, scale, scale_x;
    CQzIdentifier scale_y, scale_z, ruler, axis, text2, font, text, slant_factor, text_zone, align;
    CQzIdentifier wrap, clipping, aabb_min_x, aabb_min_y, aabb_max_x, aabb_max_y, spline;
    CQzIdentifier particle_system, particle_system_instance, particle_system_identifier;
    CQzIdentifier instancename, light, multiplier, navigation_mesh_node, navigation_mesh_hole;
    CQzIdentifier navigation_mesh_triangle, triangle, p3x, p3y, navigation_mesh_triangle_adjacent;
    CQzIdentifier triangle_adjacent, p1Adjacent, p2Adjacent, p3Adjacent, path_node, closed, done;
    CQzIdentifier prohibited, hermite, bezier, path_point_node, p1z, breakable, pInx, pIny, pInz;
    CQzIdentifier pOutx, pOuty, pOutz, effect_file_name, current_technique, parameter_list;
    CQzIdentifier parameter, red, green, blue, value, file_name, material_list, sub_mesh;
    CQzIdentifier material_name, bone_list, bone, id, link_constraint_list, link_constraint, bone_1;
    CQzIdentifier bone_2, rest_length, collider_list, collider, parent_bone_id, local_pos_x;
    CQzIdentifier local_pos_y, local_pos_z, local_rot_x, local_rot_y, local_rot_z, local_rot_w;
    CQzIdentifier local_scl_x, local_scl_y, local_scl_z, tag_list, tag, skeleton_animation;
    CQzIdentifier property_animation, keyframe, sound_resource, loop, sounds, sound, priority;
    CQzIdentifier max_playback, volume, volume_variation, pitch, pitch_variation, random_count;
    CQzIdentifier random_play, distance_min, distance_max, mesh_name, event_id, effect_name;
    CQzIdentifier intensity, color, continuous, position_offset, attached_bone, same_restart;
    CQzIdentifier bucket, delay, delay_variation, restart, restart_variation, m_41, m_42, m_43;
    CQzIdentifier m_11, m_12, m_13, m_14, m_21, m_22, m_23, m_24, m_31, m_32, m_33, m_34, m_44;
    CQzIdentifier particle_system_bucket_preset, particle_system_bucket, mesh_particle;
    CQzIdentifier texture_file_name, normal_map, normal_map_file_name, duration_mode, blend_mode;
    CQzIdentifier display_mode, animation_speed, heathaze, world_space, emission_rate, life_time;
    CQzIdentifier velocity_variation_x, velocity_variation_y, velocity_variation_z, gravity_x;
    CQzIdentifier gravity_y, gravity_z, start_size_value, end_size_value, start_angular_speed;
    CQzIdentifier end_angular_speed, min_start_angle, max_start_angle, start_color_red;
    CQzIdentifier start_color_green, start_color_blue, start_color_alpha, use_middle_color;
    CQzIdentifier middle_color_position, middle_color_red, middle_color_green, middle_color_blue;
    CQzIdentifier middle_color_alpha, end_color_red, end_color_green, end_color_blue;
    CQzIdentifier end_color_alpha, emitter_type, emitter_position_x, emitter_position_y;
    CQzIdentifier emitter_position_z, pitch_min, pitch_max, yaw_min, yaw_max, range_min, range_max;
    CQzIdentifier emitter_ring_inner_radius, emitter_ring_outter_radius, emitter_plane_length;
    CQzIdentifier emitter_plane_width, emitter_path_name, off_center, follow_path, follow_path_name;
    CQzIdentifier receiver_type, receiver_position_x, receiver_position_y, receiver_position_z;
    CQzIdentifier receiver_ring_inner_radius, receiver_ring_outter_radius, receiver_plane_length;
    CQzIdentifier receiver_plane_width, receiver_path_name, ragdoll_settings, geometry_type, size_x;
    CQzIdentifier size_y, size_z, joint_list, joint, bone_index_1, bone_index_2, angle_x;
    CQzIdentifier enable_limit, lower_limit, higher_limit, enable_twist_limit, twist_limit, object;
    CQzIdentifier path, control_point, path_tangent_point, pos_x, pos_y, pos_z, string_table, entry;
    CQzIdentifier sub_object, cqzgui, sprite_button_up, sprite_button_over, sprite_button_down;
    CQzIdentifier sprite_button_disabled, sprite_checkbox_up_unselected;
    CQzIdentifier sprite_checkbox_over_unselected, sprite_checkbox_down_unselected;
    CQzIdentifier sprite_checkbox_disabled_unselected, sprite_checkbox_up_selected;
    CQzIdentifier sprite_checkbox_over_selected, sprite_checkbox_down_selected;
    CQzIdentifier sprite_checkbox_disabled_selected, color_background_128_13;
    CQzIdentifier sprite_color_preview_background, sprite_direction_up, sprite_direction_over;
    CQzIdentifier sprite_direction_down, sprite_direction_disabled, sprite_direction_cursor;
    CQzIdentifier sprite_edit_box_up, sprite_edit_box_over, sprite_edit_box_down, gui, control_tree;
    CQzIdentifier control, texture_up, texture_over, texture_down, texture_disabled, text_align;
    CQzIdentifier text_offset_x, text_offset_y, font_enabled, font_disabled, texture_prefix, width;
    CQzIdentifier height, texture_up_unselected, texture_over_unselected, texture_down_unselected;
    CQzIdentifier texture_disabled_unselected, texture_up_selected, texture_over_selected;
    CQzIdentifier texture_down_selected, texture_disabled_selected, orientation, listbox_height;
    CQzIdentifier listbox_width, default_value, item, item_parent, texture_enabled, alpha;
    CQzIdentifier texture_background, color_slider_red, color_slider_green, color_slider_blue;
    CQzIdentifier color_slider_alpha, max_width, max_height, texture_cursor_up, texture_cursor_over;
    CQzIdentifier texture_cursor_down, texture_cursor_disabled, slider, texture_cursor;
    CQzIdentifier sprite_mesh_list_enabled, sprite_mesh_list_disabled, sprite_picture_enabled;
    CQzIdentifier sprite_picture_disabled, sprite_background, sprite_radiobutton_up_unselected;
    CQzIdentifier sprite_radiobutton_over_unselected, sprite_radiobutton_down_unselected;
    CQzIdentifier sprite_radiobutton_disabled_unselected, sprite_radiobutton_up_selected;
    CQzIdentifier sprite_radiobutton_over_selected, sprite_radiobutton_down_selected;
    CQzIdentifier sprite_radiobutton_disabled_selected, sprite_radio_button_group_enabled;
    CQzIdentifier sprite_radio_button_group_disabled, sprite_slider_h_enabled;
    CQzIdentifier sprite_text_background, sprite_texture_list_enabled, sprite_texture_list_disabled;
    CQzIdentifier sprite_cursor, sprite_tree_background_enabled, sprite_tree_background_disabled;
    CQzIdentifier sprite_tree_icon_move, sprite_tree_icon_opened, sprite_tree_icon_closed;
    CQzIdentifier layer_players, layer_default, layer_gui, layer_player_inventory, game;
    CQzIdentifier object_list, dummy_list, dummy, players, player_rogue, player_warrior;
    CQzIdentifier player_wizard, gui_profile, gui_dialog, gui_element, gui_hud;
    CQzIdentifier panel_profile_inventory, panel_profile_character_sheet, panel_profile_skill;
    CQzIdentifier panel_profile_skill_map, sprite_gui_main_menu_sprite_button1_disabled_002;
    CQzIdentifier item_description, consumable_description, equipable_description;
    CQzIdentifier weapon_description, armor_description, drop_table, fireball, arrow, projectile;
    CQzIdentifier fireball_base, arrow_base, trap, camera_shadow, camera_gui, default_editor_text;
    CQzIdentifier camera_panel_animation, layer_panel_animation, entity_panel_animation;
    CQzIdentifier camera_panel_particle_system, camera_panel_particle_system_bucket;
    CQzIdentifier camera_panel_shape, camera_player, camera_inventory, camera_perspective_at;
    CQzIdentifier window_editor, window_element, window_element_type, is_floating, window_area;
    CQzIdentifier window_area_position, recent_file_list, recent_file, max_recent_file, name_file;
    CQzIdentifier snap_x, snap_y, snap_z, snap_step_x, snap_step_y, snap_step_z, snap_rulers;
    CQzIdentifier threshold, translate_x, translate_y, translate_z, grid, subdivision_x;
    CQzIdentifier subdivision_y, show_markers, user_configuration, group_list, group, acces_right;
    CQzIdentifier user_list, user, camera_free, level_content, mesh_list, skeleton_animation_list;
    CQzIdentifier meta_animation_list, material_library_list, shader_list, texture_list;
    CQzIdentifier meta_animation, material_library, texture, intermediate_directory;
    CQzIdentifier output_directory, folder, render_if_occluded, render_if_occluded_enabled;
    CQzIdentifier render_if_occluded_not_an_occluder, render_if_occluded_mul_color_red;
    CQzIdentifier render_if_occluded_mul_color_green, render_if_occluded_mul_color_blue;
    CQzIdentifier render_if_occluded_add_color_red, render_if_occluded_add_color_green;
    CQzIdentifier render_if_occluded_add_color_blue, render_if_occluded_player_mul_color_red;
    CQzIdentifier render_if_occluded_player_mul_color_green;
    CQzIdentifier render_if_occluded_player_mul_color_blue, render_if_occluded_player_add_color_red;
    CQzIdentifier render_if_occluded_player_add_color_green;
    CQzIdentifier render_if_occluded_player_add_color_blue, render_if_occluded_enemy_mul_color_red;
    CQzIdentifier render_if_occluded_enemy_mul_color_green, render_if_occluded_enemy_mul_color_blue;
    CQzIdentifier render_if_occluded_enemy_add_color_red, render_if_occluded_enemy_add_color_green;
    CQzIdentifier render_if_occluded_enemy_add_color_blue, render_if_occluded_item_mul_color_red;
    CQzIdentifier render_if_occluded_item_mul_color_green, render_if_occluded_item_mul_color_blue;
    CQzIdentifier render_if_occluded_item_add_color_red, render_if_occluded_item_add_color_green;
    CQzIdentifier render_if_occluded_item_add_color_blue, z_sorted, facing, billboard;
    CQzIdentifier billboard_type, billboard_list, gui_skill, name_include_string, fsm_name;
    CQzIdentifier template_list, template_, game_rule_list, global_trigger_create;
    CQzIdentifier entity_trigger_create, simple_fsm_create, dummy_fsm_create, global_fsm_create;
    CQzIdentifier entity_fsm_create, excepted, ghost, outline, outline_color, subtitles, subtitle;
    CQzIdentifier submesh_list, submesh, preload, animated_texture, animated_texture_list;
    CQzIdentifier sprite_texture, sprite_texture_list, pivot_custom_x, pivot_custom_y;
    CQzIdentifier scroll_step_in_pixels, editable, transparent, background_texture_prefix;
    CQzIdentifier draggable, data, data_set, data_set_list, player_pool, stack_action;
    CQzIdentifier stack_action_do, stack_action_undo, stack_action_create_billboard;
    CQzIdentifier stack_action_create_collision_segment, stack_action_create_collision_shape;
    CQzIdentifier stack_action_create_camera, stack_action_create_dummy_aabb2;
    CQzIdentifier stack_action_create_dummy_aabb3, stack_action_create_dummy_circle;
    CQzIdentifier stack_action_create_dummy_sphere, stack_action_create_entity2;
    CQzIdentifier stack_action_create_entity3, stack_action_create_light;
    CQzIdentifier stack_action_create_particle_system, stack_action_create_path;
    CQzIdentifier stack_action_create_text, stack_action_create_text_zone;
    CQzIdentifier stack_action_create_ruler, stack_action_destroy_billboard;
    CQzIdentifier stack_action_destroy_collision_segment, stack_action_destroy_collision_shape;
    CQzIdentifier stack_action_destroy_collision_shape_point, stack_action_destroy_camera;
    CQzIdentifier stack_action_destroy_dummy_aabb2, stack_action_destroy_dummy_aabb3;
    CQzIdentifier stack_action_destroy_dummy_circle, stack_action_destroy_dummy_sphere;
    CQzIdentifier stack_action_destroy_entity2, stack_action_destroy_entity3;
    CQzIdentifier stack_action_destroy_light, stack_action_destroy_particle_system;
    CQzIdentifier stack_action_destroy_path, stack_action_destroy_path_point;
    CQzIdentifier stack_action_destroy_text, stack_action_destroy_text_zone;
    CQzIdentifier stack_action_destroy_ruler, stack_action_destroy_list;
    CQzIdentifier stack_action_destroy_number_object, stack_action_duplicate_list;
    CQzIdentifier stack_action_duplicate_number_object, stack_action_set_property;
    CQzIdentifier stack_action_change_object_name, stack_action_add_data_set;
    CQzIdentifier stack_action_remove_data_set, stack_action_add_data_set_number_object;
    CQzIdentifier stack_action_remove_data_set_number_object;
    CQzIdentifier stack_action_set_property_number_object, stack_action_scene_explorer;
    CQzIdentifier stack_action_scene_explorer_create_folder;
    CQzIdentifier stack_action_scene_explorer_destroy_folder;
    CQzIdentifier stack_action_scene_explorer_rename_folder;
    CQzIdentifier stack_action_scene_explorer_set_add_folder, stack_action_scene_explorer_drag_item;
    CQzIdentifier stack_action_grid_property, stack_action_snap_property;
    CQzIdentifier stack_action_translate_property, camera_type, index, pool_identifier;
    CQzIdentifier shape_instance, shape_point, shape_points, path_point, path_point_in;
    CQzIdentifier path_point_out, path_points, camera_editor, new_object_name, old_object_name;
    CQzIdentifier scene_explorer, scene_explorer_root, scene_explorer_item, scene_explorer_folder;
    CQzIdentifier scene_explorer_item_name, scene_explorer_item_text, scene_explorer_item_type;
    CQzIdentifier scene_explorer_item_expanded, scene_explorer_item_parent;
    CQzIdentifier scene_explorer_add_folder, scene_explorer_item_parent_name;
    CQzIdentifier scene_explorer_item_position, object_number, movable, shader, pass, defines;
    CQzIdentifier vertex, hull, domain, geometry, pixel, compute, material, extra_code, prefab;
    CQzIdentifier prefab_list, prefab_resource_identifier, prefab_resource, prefab_object;
    CQzIdentifier stack_action_create_prefab, stack_action_destroy_prefab;
    CQzIdentifier prefab_child_resource_identifier, primitive, primitive_bone, primitive_box;
    CQzIdentifier primitive_camera_cone, primitive_circle, primitive_cone, primitive_circle_strip;
    CQzIdentifier primitive_cylinder, primitive_debug_sphere, primitive_grid_patch;
    CQzIdentifier primitive_line_list, primitive_line_strip, primitive_point_cloud, primitive_rect;
    CQzIdentifier primitive_segment, primitive_sphere, primitive_triangle, primitive_triangle_list;
    CQzIdentifier primitive_vector_basis, languages, language, editor_settings, project, directory;
    CQzIdentifier workspace_path, project_settings, icon, splashscreen, landscape, portrait, minor;
    CQzIdentifier major, resource_path, resolution, general_settings, setting, extension;
    CQzIdentifier extensions, style, plugins, plugin, menu_bar, tool_bar, menu, action, radio_group;
    CQzIdentifier separator, left_press, right_press, icon_up, icon_down, icon_over, icon_disabled;
    CQzIdentifier tool_tip, string, plugin_editor, plugin_runtime, plugin_editor_runtime;
    CQzIdentifier description, variables, dependencies, dependencie, component;
    CQzIdentifier resource_type_shader, resource_type_prefab, resource_type_font;
    CQzIdentifier resource_type_sound, resource_type_mesh, resource_type_mesh_dynamic;
    CQzIdentifier resource_type_sub_mesh, resource_type_sprite_library;
    CQzIdentifier resource_type_particle_system, resource_type_particle_system_bucket_preset;
    CQzIdentifier resource_type_skeleton_animation, resource_type_shape;
    CQzIdentifier resource_type_string_table_entry, resource_type_meta_animation;
    CQzIdentifier resource_type_animation, resource_type_animation_layout;
    CQzIdentifier resource_type_animated_texture, resource_type_texture, resource_type_data_set;
    CQzIdentifier resource_type_level, resource_type_path_shape, resource_type_nav_mesh_file;
    CQzIdentifier resource_type_material_library, collision_data_manager, dialog_manager;
    CQzIdentifier animation_manager, camera_manager, collision_character_controller_manager;
    CQzIdentifier collision_segment_manager, collision_shape_manager, billboard_manager;
    CQzIdentifier dummy_aabb2_manager, dummy_aabb3_manager, dummy_circle_manager;
    CQzIdentifier dummy_sphere_manager, entity2_manager, entity3_manager, light_manager;
    CQzIdentifier particle_system_instance_manager, ruler_manager, spline2_manager, text2_manager;
    CQzIdentifier text_zone_manager, navigation_mesh_manager, path_manager, prefab_manager;
    CQzIdentifier spline_manager, sub_type, enum_value, min, max, parent, child, point;
    CQzIdentifier point_manager, parent_point;
};

// Made on the first GetSingleton call, which registers every well-known
// text (and the empty one) with the identifier manager; constant after.
//
// Threads: GetSingleton may be called from any thread, the first call
// included; the members are read-only and may be read from any thread.
class QZ_API QZID : public SQzWellKnownIdentifiers
{
public:
    static QZID* GetSingleton();

    // Copies every identifier; pEmpty keeps pointing where the source's does.
    QZID(QZID const& other) = default;

    CQzIdentifier empty;    // the empty text: the null identifier
    CQzIdentifier* pEmpty;  // points at empty

private:
    // Only GetSingleton makes the table, and nothing destroys it.
    QZID();
    virtual ~QZID();
};

#endif // QZCORE_IDENTIFIER_QZWELLKNOWNIDENTIFIERS_H
